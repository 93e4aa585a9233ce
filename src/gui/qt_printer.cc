#include "gui/qt_printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace ravelin::gui {

namespace {

QString ToText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class QtPrintSurface : public platform::PrintSurface {
  public:
    explicit QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    ~QtPrintSurface() override {
        if (painter_.isActive()) {
            painter_.end();
        }
    }

    int PageWidth() const override { return printer_->width(); }
    int PageHeight() const override { return printer_->height(); }
    int SetFont(const std::string& family, int pixelHeight) override {
        font_ = QFont(QString::fromStdString(family));
        font_.setPixelSize(std::max(1, pixelHeight));
        if (painter_.isActive()) {
            painter_.setFont(font_);
        }
        const QFontMetrics metrics(font_, printer_.get());
        return metrics.height() + metrics.leading();
    }
    int TextWidth(std::string_view text) override {
        return QFontMetrics(font_, printer_.get()).horizontalAdvance(ToText(text));
    }
    void DrawText(int x, int y, std::string_view text) override {
        painter_.drawText(x, y + QFontMetrics(font_, printer_.get()).ascent(), ToText(text));
    }
    bool StartDocument(const std::string& name) override {
        printer_->setDocName(QString::fromStdString(name));
        if (!painter_.begin(printer_.get())) {
            return false;
        }
        painter_.setFont(font_);
        return true;
    }
    bool StartPage() override {
        // Beginning the document began its first page.
        return pagesStarted_++ == 0 || printer_->newPage();
    }
    bool EndPage() override { return painter_.isActive(); }
    bool EndDocument() override { return !painter_.isActive() || painter_.end(); }

  private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    int pagesStarted_ = 0;
};

}  // namespace

std::unique_ptr<platform::PrintSurface> QtPrinter::ChoosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdfOutput.empty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdfOutput));
    } else {
        if (nonInteractive) {
            return nullptr;
        }
        QPrintDialog dialog(printer.get(), parent_);
        if (dialog.exec() != QDialog::Accepted) {
            return nullptr;
        }
    }
    return std::make_unique<QtPrintSurface>(std::move(printer));
}

}  // namespace ravelin::gui
