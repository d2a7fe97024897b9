#include "RenderCommand.h"

#include <ostream>

int RenderView(const TPennant&, const TFight&, const TRenderRequest&, const std::string& seasonPath,
               std::ostream& err) {
    err << "tablora-cli: " << seasonPath << ": この tablora-cli は画像を描けません (Qt なしでビルドされています)\n";
    return 1;
}
