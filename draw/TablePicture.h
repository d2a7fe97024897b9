// A whole view as one picture: its tables placed as the window shows them.
// tablora-render writes it as PNG; the program saves it, copies it to the
// clipboard and prints it, so every way out gives the same pixels.
#pragma once

#include "draw/TablePages.h"
#include "draw/TableRender.h"

#include <QColor>
#include <QSize>
#include <vector>

class QImage;
class QPainter;
struct TTmJuniPanes;
struct TVersusLayout;
struct TWriteFaults;

struct TTablePicture {
    std::vector<TPicturePart> Parts;
    QSize Size;
    QColor Background;
};

// One table alone. A picture's background is its first table's.
TTablePicture SingleTablePicture(const TTableLayout& table);
// The rank transition: the summary above the day-by-day table.
TTablePicture TransitionPicture(const TTmJuniPanes& panes);
// The team-versus-team window: the summary above the game list.
TTablePicture VersusPicture(const TVersusLayout& layout);

// Paints the part `area` of the picture with the painter's origin at the
// picture's top-left corner (the background is the caller's).
void PaintTablePicture(QPainter& painter, const TTablePicture& picture, const QRect& area);
// The whole picture in memory (for the clipboard); a null image when it is
// larger than a picture can be.
QImage TablePictureImage(const TTablePicture& picture);
// PNG bytes, made exactly as tablora-render makes them.
bool EncodeTablePicture(const TTablePicture& picture, std::string& png, std::string& error);
// The picture written as PNG to `path` while it is painted, never whole in
// memory. The file is replaced only once the picture is complete, so a failure
// leaves an older file as it was. False with the reason (UTF-8) in `error`:
// too large, out of memory, or "画像を書き込めません (why)".
bool SaveTablePicture(const TTablePicture& picture, const std::string& path, std::string& error,
                      const TWriteFaults* faults = nullptr);
// Where printed pages of `pageHeight` picture pixels end: never inside a text
// or a picture of a table, so no row is cut in half.
std::vector<TPageSlice> PictureSlices(const TTablePicture& picture, int pageHeight);

// A window that shows a table the program can save, copy and print.
class ITableView {
public:
    virtual ~ITableView() = default;
    virtual TTablePicture Picture() const = 0;
};
