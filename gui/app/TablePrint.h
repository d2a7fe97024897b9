// Printing a view's table: scaled to the page's width when wider, at screen
// size otherwise, over as many pages as it takes, never cutting a row in half,
// each page headed by the line saying what the table is.
#pragma once

class QPagedPaintDevice;
struct TTablePicture;

// Paints the picture on the device, starting a new page as needed; the number of pages.
int PrintTablePicture(QPagedPaintDevice& device, const TTablePicture& picture);
