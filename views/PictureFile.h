// Pictures are saved like seasons: the PNG is made in memory, written to a
// temporary file beside the target and renamed over it only when complete.
// A failure leaves an older picture at that path as it was.
#pragma once

#include "model/AtomicFile.h"

#include <string>

class QImage;

// False with the reason (UTF-8, Japanese) when the picture cannot be made or written.
bool SavePngAtomically(const QImage& image, const std::string& path, std::string& reason,
                       const TWriteFaults* faults = nullptr);
