#pragma once

// Printing through Qt's print system: the print dialog chooses a printer or "Print to File" (PDF),
// which works without any printer installed.

#include <QWidget>
#include <memory>
#include <string>

#include "platform/printer.h"

namespace ravelin::gui {

class QtPrinter : public platform::Printer {
  public:
    void SetParentWindow(QWidget* window) { parent_ = window; }
    // Prints into this PDF file without showing the dialog (scripted runs); empty shows the dialog.
    std::string pdfOutput;
    // Without a person at the screen the dialog is not shown and, without pdfOutput, nothing printed.
    bool nonInteractive = false;

    std::unique_ptr<platform::PrintSurface> ChoosePrinter() override;

  private:
    QWidget* parent_ = nullptr;
};

}  // namespace ravelin::gui
