#pragma once
// The print commands of the main window: Print Title & Set, Print, Print Preview
// and Export PDF, on the open document with the application's print settings.

#include <QObject>
#include <functional>

#include "print_choice.h"

class QPrinter;
class QWidget;

namespace telvor {

class CSolvaneApp;
class QtUserInterface;

inline constexpr const char* kPrinterErrorMessage = "Printer Error!";
inline constexpr const char* kPrintPreviewCaption = "Print Preview";

class PrintCommands : public QObject {
    Q_OBJECT
public:
    // The dialogs open over `window`; `afterCommand` runs when a command is done
    // (the main window refreshes its commands).
    PrintCommands(CSolvaneApp& app, QtUserInterface& ui, QWidget& window, std::function<void()> afterCommand);

    void OnPrintTitle();
    void OnPrint();
    void OnPrintPreview();
    void OnExportPdf();

    // "Changed parameters only": chosen in the print dialogs, and set whenever the
    // grid's Changed only view is switched, so that printing follows the grid.
    void SetChangedOnly(bool on) { changedOnly_ = on; }
    bool ChangedOnly() const { return changedOnly_; }

    // Whether the system has a default printer; tests put a printer of their own in.
    void SetDefaultPrinterCheck(std::function<bool()> check) { hasDefaultPrinter_ = std::move(check); }

private:
    void PrintOnPrinter();
    void ShowPreview();
    // Lays the pages out for the printer's page and paints them; false when the printer would not start.
    bool PaintPages(QPrinter& printer);
    // The settings file's choice with "Changed parameters only".
    PrintChoice Choice() const;
    bool OffersChangedOnly() const;
    // Runs a command with the modal-busy flag set, then afterCommand.
    void Busy(const std::function<void()>& command);

    CSolvaneApp& app_;
    QtUserInterface& ui_;
    QWidget& window_;
    std::function<void()> afterCommand_;
    std::function<bool()> hasDefaultPrinter_;
    bool changedOnly_ = false;
};

}  // namespace telvor
