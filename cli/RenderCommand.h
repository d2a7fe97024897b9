// tablora-cli render: paints a view's content into a PNG, without a display.
//
// tablora-cli itself loads no Qt library: once it has read the arguments of
// `render` it hands the same command line to the render program installed
// beside it, tablora-render, which paints the tables with QtGui (no widgets)
// and answers for the command (its messages and exit code are the command's).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TPennant;
class TFight;

struct TRenderRequest {
    std::string Season;
    std::string View; // "standings", "transition", "schedule", "headtohead" or "versus"
    int Index = 0;
    int Mode = 0;
    int Filter = 0;       // headtohead and versus: 0 all, 1 home, 2 visitor games
    int Page = 0;         // headtohead
    std::string Team;     // versus: the own team's symbol (Shift-JIS)
    std::string Opponent; // versus
    std::string Out;
};

// The name of the render program, beside tablora-cli.
constexpr const char* kRenderProgram = "tablora-render";

// Carries out `render` once its arguments (`args`, the whole command line
// without the program name) are read into `request`. In tablora-cli it runs
// the render program; in the render program it loads the season and paints.
// Returns the exit code: 0 success; 2 when the index, page or a symbol names
// nothing in the season; 1 for any other failure; with one line on `err`.
int RunRender(const std::vector<std::string>& args, const TRenderRequest& request, std::ostream& err);

// Paints the view the request names into its PNG file (render program only).
int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request, std::ostream& err);
