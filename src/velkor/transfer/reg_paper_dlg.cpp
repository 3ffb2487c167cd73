#include "velkor/transfer/reg_paper_dlg.h"

#include "resources/resource_ids.h"
#include "velkor/transfer/printer_port.h"
#include "win/ui.h"

namespace transfer {

namespace {

// Frees a COM port from its queue for the duration of a send: the port is set to
// "FILE:" and restored to the name read on attach however the send ends.
class PortLease {
public:
    explicit PortLease(PrinterPort& port) : port_(port) { port_.SetPort("FILE:"); }
    ~PortLease() { port_.SetPort(port_.PortName()); }
    PortLease(const PortLease&) = delete;
    PortLease& operator=(const PortLease&) = delete;

private:
    PrinterPort& port_;
};

}  // namespace

CRegPaperDlg::CRegPaperDlg(win::Ui& ui, win::FileSystem& files, win::Spooler& spooler,
                           Transport& transport)
    : Dialog(ui, IDD_TRANSFER, win::Placement::ParentCornerOnEveryShow),
      files_(files),
      spooler_(spooler),
      transport_(transport) {
    static const win::MessageEntry<CRegPaperDlg> map[] = {
        {win::Event::Command, win::kIdOk, &CRegPaperDlg::OnTransfer},
    };
    UseMessageMap(this, map);
}

bool CRegPaperDlg::OnInitDialog() {
    printerField_ = printerName_;
    paperField_ = paperText_;
    UpdateData(Direction::ToControls);
    return true;
}

void CRegPaperDlg::Exchange(DataExchange& dx) {
    dx.Text(IDC_TR_PRINTER, printerField_);
    dx.Text(IDC_TR_PAPER, paperField_);
}

bool CRegPaperDlg::SendPrefixAndFile(PrinterPort& port, std::string_view file) {
    return port.Send(kRegisterPrefix) && port.Send(file);
}

void CRegPaperDlg::OnTransfer(const win::Message&) {
    PrinterPort port(spooler_, transport_);
    port.Attach(printerName_);
    if (port.Kind() == PortKind::Other) {
        GetUi().ShowMessage(IDS_NO_PORT, win::MessageKind::Error);
        EndDialog(win::kIdOk);
        return;
    }
    const std::optional<std::string> file = files_.ReadFile(dataFilePath_);
    if (!file) {
        GetUi().ShowMessage(IDS_DATA_UNREADABLE, win::MessageKind::Error);
        EndDialog(win::kIdOk);
        return;
    }

    bool sent = false;
    if (port.Kind() == PortKind::Com) {
        PortLease lease(port);
        sent = port.OpenSerial() && SendPrefixAndFile(port, *file);
        port.CloseSerial();
    } else {
        sent = SendPrefixAndFile(port, *file);
    }
    GetUi().ShowMessage(sent ? IDS_TRANSFER_DONE : IDS_SEND_FAILED,
                        sent ? win::MessageKind::Information : win::MessageKind::Error);
    EndDialog(win::kIdOk);
}

}  // namespace transfer
