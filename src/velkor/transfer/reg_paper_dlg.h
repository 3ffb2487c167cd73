// The transfer dialog: shows the printer and the paper, and on confirmation sends
// the command prefix and the paper-data file to the printer's port.
#pragma once

#include <string>
#include <string_view>

#include "velkor/transfer/devices.h"
#include "win/dialog.h"
#include "win/services.h"

namespace transfer {

// Sent in a write of its own before the file: ESC 'i' 'a' 1.
inline constexpr std::string_view kRegisterPrefix{"\x1b\x69\x61\x01", 4};

class CRegPaperDlg : public win::Dialog {
public:
    CRegPaperDlg(win::Ui& ui, win::FileSystem& files, win::Spooler& spooler, Transport& transport);

    void SetDataFilePath(std::string path) { dataFilePath_ = std::move(path); }
    void SetPrinterName(std::string name) { printerName_ = std::move(name); }
    void SetPaperText(std::string text) { paperText_ = std::move(text); }

protected:
    bool OnInitDialog() override;
    void Exchange(DataExchange& dx) override;

private:
    void OnTransfer(const win::Message& message);
    // Sends the prefix and then, only if it went through, the file.
    static bool SendPrefixAndFile(class PrinterPort& port, std::string_view file);

    win::FileSystem& files_;
    win::Spooler& spooler_;
    Transport& transport_;
    std::string dataFilePath_;
    std::string printerName_;
    std::string paperText_;
    std::string printerField_;  // control 1058, display only
    std::string paperField_;    // control 1057, display only
};

}  // namespace transfer
