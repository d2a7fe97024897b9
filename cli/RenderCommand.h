// tablora-cli render: paints a view's content into a PNG, without a display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TPennant;
class TFight;

struct TRenderRequest {
    std::string View; // "standings" or "transition"
    int Index = 0;
    int Mode = 0;
    std::string Out;
};

// Returns 0 on success, 1 with a message on `err` otherwise.
int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request,
               const std::string& seasonPath, std::ostream& err);
