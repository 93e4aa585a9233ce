#pragma once

// Printing: the core lays pages out with the printer's own font metrics, so the surface measures
// text as well as drawing it. Coordinates are the printer's pixels, y growing down the page.

#include <memory>
#include <string>
#include <string_view>

namespace ravelin::platform {

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // Chooses the font for what follows; returns the line height (the font's height and its
    // external leading).
    virtual int SetFont(const std::string& family, int pixelHeight) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    // Draws text with its top at y.
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    // Each answers false when the printer refused.
    virtual bool StartDocument(const std::string& name) = 0;
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
};

class Printer {
  public:
    virtual ~Printer() = default;
    // Shows the platform's print set-up; the printer chosen, or null when it was cancelled.
    virtual std::unique_ptr<PrintSurface> ChoosePrinter() = 0;
};

}  // namespace ravelin::platform
