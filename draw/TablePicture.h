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

// A picture is its tables and, above them, a line saying what they show
// (the view, the league or district, the day). Saving, copying and printing
// put the line above the tables; tablora-render does when asked to.
struct TTablePicture {
    std::vector<TPicturePart> Parts;
    QSize Size; // of the tables
    QColor Background;
    TTableTitle Title; // none: no line
};

// The line above the tables takes this many pixels of a picture's height.
constexpr int kTitleHeight = 30;

// One table alone, with its title. A picture's background is its first table's.
TTablePicture SingleTablePicture(const TTableLayout& table);
// The rank transition: the summary above the day-by-day table.
TTablePicture TransitionPicture(const TTmJuniPanes& panes);
// The team-versus-team window: the summary above the game list.
TTablePicture VersusPicture(const TVersusLayout& layout);

// The picture's size with the line above the tables; as wide as the line when
// the tables are narrower.
QSize TitledSize(const TTablePicture& picture);
// Paints the part `area` of the tables (without the line above them) with
// the painter's origin at their top-left corner (the background is the caller's).
void PaintTablePicture(QPainter& painter, const TTablePicture& picture, const QRect& area);
// The whole picture, its line above the tables, in memory (for the
// clipboard); a null image when it is larger than a picture can be. At
// `scale` 2 to 4 it has that many pixels to one of the table, a side, and
// that device pixel ratio.
QImage TablePictureImage(const TTablePicture& picture, int scale = 1);
// PNG bytes, made exactly as tablora-render makes them.
bool EncodeTablePicture(const TTablePicture& picture, std::string& png, std::string& error, int scale = 1);
// The picture written as PNG to `path` while it is painted, never whole in
// memory. The file is replaced only once the picture is complete, so a failure
// leaves an older file as it was. False with the reason (UTF-8) in `error`:
// too large, out of memory, or "画像を書き込めません (why)".
// At `scale` 2 to 4 the picture has that many pixels to one of the table, a side.
bool SaveTablePicture(const TTablePicture& picture, const std::string& path, std::string& error,
                      const TWriteFaults* faults = nullptr, int scale = 1);
// Where printed pages of `pageHeight` picture pixels end: never inside a text
// or a picture of a table, so no row is cut in half.
std::vector<TPageSlice> PictureSlices(const TTablePicture& picture, int pageHeight);
// The slices of the tables on printed pages `pageHeight` pixels high that
// repeat the line above the tables.
std::vector<TPageSlice> PicturePages(const TTablePicture& picture, int pageHeight);
// One printed page, with the painter's origin at the page's top-left corner:
// the line above the tables, then the slice of the tables, whose first line
// repeats what it needs from above (a schedule page starting amid a day
// repeats the day's label). The page is TitledSize's width and the title's
// height more than the slice; its background is painted too.
void PaintPicturePage(QPainter& painter, const TTablePicture& picture, const TPageSlice& slice);

// A window that shows a table the program can save, copy and print.
class ITableView {
public:
    virtual ~ITableView() = default;
    virtual TTablePicture Picture() const = 0;
};
