// tablora-cli render: paints a view's content into a PNG, without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TPennant;
class TFight;

struct TRenderRequest {
    std::string View; // "standings", "transition", "schedule", "headtohead" or "versus"
    int Index = 0;
    int Mode = 0;
    int Filter = 0;       // headtohead and versus: 0 all, 1 home, 2 visitor games
    int Page = 0;         // headtohead
    std::string Team;     // versus: the own team's symbol (Shift-JIS)
    std::string Opponent; // versus
    std::string Out;
};

// Returns 0 on success; 2 with a message on `err` when the index, page or a
// symbol names nothing in the season; 1 when the picture cannot be written.
int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request,
               const std::string& seasonPath, std::ostream& err);
