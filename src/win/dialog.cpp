#include "win/dialog.h"

#include "win/ui.h"

namespace win {

int Dialog::RunModal(DialogWindow* parent) {
    return ui_.RunModal(*this, parent);
}

bool Dialog::Dispatch(const Message& message) {
    if (exchanging_ && message.event == Event::Change) return true;
    if (message.event == Event::Show) Place(message);
    if (const Route* route = FindHandler(message.event, message.id))
        return (*route)(message) == Handling::Done;
    if (message.event == Event::Command && message.id == kIdOk) {
        OnOK();
        return true;
    }
    if (message.event == Event::Command && message.id == kIdCancel) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::Place(const Message& message) {
    if (!message.shown || placement_ == Placement::AsTemplate) return;
    if (placement_ == Placement::ParentCornerOnFirstShow && placed_) return;
    placed_ = true;
    window_->MoveToParentClientOrigin();
}

const Dialog::Route* Dialog::FindHandler(Event event, int id) const {
    for (const auto& bound : routes_) {
        if (bound.event == event && (bound.id == 0 || bound.id == id)) return &bound.route;
    }
    return nullptr;
}

void Dialog::EndDialog(int result) {
    window_->EndModal(result);
}

void Dialog::OnOK() {
    UpdateData(Direction::FromControls);
    EndDialog(kIdOk);
}

void Dialog::UpdateData(Direction direction) {
    DataExchange exchange(*window_, direction);
    exchanging_ = direction == Direction::ToControls;
    Exchange(exchange);
    exchanging_ = false;
}

void Dialog::DataExchange::Text(int id, std::string& value) {
    if (save_)
        value = window_.Text(id);
    else
        window_.SetText(id, value);
}

void Dialog::DataExchange::Radio(int firstId, int lastId, int& index) {
    if (save_) {
        index = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (window_.IsChecked(id)) {
                index = id - firstId;
                break;
            }
        }
    } else if (index >= 0 && firstId + index <= lastId) {
        window_.CheckRadio(firstId, lastId, firstId + index);
    }
}

void Dialog::DataExchange::ComboSelection(int id, int& index) {
    if (save_)
        index = window_.Selection(id);
    else
        window_.Select(id, index);
}

}  // namespace win
