#include "platform/headless/headless_printer.h"

namespace ravelin::platform {

namespace {

class HeadlessSurface : public PrintSurface {
  public:
    explicit HeadlessSurface(HeadlessPrinter& printer) : printer_(printer) {}
    int PageWidth() const override { return printer_.pageWidth; }
    int PageHeight() const override { return printer_.pageHeight; }
    int SetFont(const std::string&, int pixelHeight) override {
        fontHeight_ = pixelHeight;
        // Two pixels of external leading.
        return pixelHeight + 2;
    }
    int TextWidth(std::string_view text) override {
        return static_cast<int>(text.size()) * HeadlessPrinter::kCharacterWidth;
    }
    void DrawText(int x, int y, std::string_view text) override {
        printer_.documents.back().pages.back().push_back({x, y, std::string(text)});
    }
    bool StartDocument(const std::string& name) override {
        printer_.documents.push_back({name, fontHeight_, {}, false});
        return true;
    }
    bool StartPage() override {
        printer_.documents.back().pages.emplace_back();
        return true;
    }
    bool EndPage() override { return true; }
    bool EndDocument() override {
        printer_.documents.back().ended = true;
        return true;
    }

  private:
    HeadlessPrinter& printer_;
    int fontHeight_ = 0;
};

}  // namespace

std::unique_ptr<PrintSurface> HeadlessPrinter::ChoosePrinter() {
    if (cancel) {
        return nullptr;
    }
    return std::make_unique<HeadlessSurface>(*this);
}

}  // namespace ravelin::platform
