// tablora-render: `render` paints a view's content into a PNG, without a
// display, with QtGui and no widgets (tablora-cli hands the command here).
#pragma once

#include "cli/CliCommands.h"

#include <iosfwd>

class TPennant;
class TFight;

// Loads the request's season and paints the view it names. Returns the exit
// code: 0 success; 2 when the index, page or a symbol names nothing in the
// season; 1 for any other failure; with one line on `err`.
int RunRender(const TRenderRequest& request, std::ostream& err);

// Paints the view the request names into its PNG file.
int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request, std::ostream& err);
