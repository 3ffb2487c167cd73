#include "tests/support/headless.h"

#include <stdexcept>

#include "resources/lang/en/dialog_texts.h"
#include "resources/resource_ids.h"

namespace win::headless {

namespace {

const DialogTemplate* ModuleTemplate(int templateId) {
    const auto& templates = LanguageModuleTemplates();
    const auto found = templates.find(templateId);
    return found == templates.end() ? nullptr : &found->second;
}

}  // namespace

HeadlessWindow::HeadlessWindow(Dialog& dialog, HeadlessWindow* parent)
    : HeadlessWindow(dialog, parent, ModuleTemplate(dialog.TemplateId())) {}

void HeadlessWindow::Deliver(const Message& message) {
    if (ended_) return;
    dialog_.Dispatch(message);
}

void HeadlessWindow::Type(int id, std::string_view text) {
    const int end = static_cast<int>(text.size());
    Type(id, text, {end, end});
}

void HeadlessWindow::Type(int id, std::string_view text, TextSelection caret) {
    auto& control = Control(id);
    if (!control.enabled || !control.visible) return;  // a user cannot type there
    control.text = text;
    control.caret = caret;
    Deliver({Event::Change, id});
}

void HeadlessWindow::Click(int id) {
    auto& control = Control(id);
    if (!control.enabled || !control.visible) return;
    Deliver({Event::Command, id});
}

void HeadlessWindow::Choose(int id, int index) {
    auto& control = Control(id);
    if (!control.enabled) return;
    control.selection = index;
    Deliver({Event::SelChange, id});
}

void HeadlessWindow::Spin(int spinId, int position) {
    Scroll(spinId, kScrollThumbPosition, position);
}

void HeadlessWindow::Scroll(int spinId, int code, int position) {
    if (!Control(spinId).enabled) return;
    Deliver({Event::VScroll, spinId, code, position});
}

void HeadlessWindow::Check(int id) {
    const std::optional<size_t> index = LayoutIndex(id);
    if (!index || (*layout_)[*index].kind == ControlKind::Other) {
        throw std::logic_error("Check: control " + std::to_string(id) +
                               " is no radio button of template " +
                               std::to_string(dialog_.TemplateId()));
    }
    if (!TakesInput(id)) return;
    if ((*layout_)[*index].kind == ControlKind::AutoRadioButton) {
        for (size_t member : GroupAround(*layout_, *index)) {
            const TemplateControl& other = (*layout_)[member];
            if (other.kind == ControlKind::AutoRadioButton && TakesInput(other.id))
                Control(other.id).checked = false;
        }
        Control(id).checked = true;
    }
    Deliver({Event::Command, id});
}

std::optional<size_t> HeadlessWindow::LayoutIndex(int id) const {
    if (layout_ == nullptr) return std::nullopt;
    for (size_t i = 0; i < layout_->size(); ++i) {
        if ((*layout_)[i].id == id) return i;
    }
    return std::nullopt;
}

void HeadlessWindow::Paint() {
    drawn.clear();
    painting_ = true;
    Deliver({Event::Paint});
    painting_ = false;
}

void HeadlessWindow::Showing() {
    Message message{Event::Show};
    message.shown = true;
    Deliver(message);
}

void HeadlessWindow::SystemCommand(int command) {
    Deliver({Event::SysCommand, command});
}

void HeadlessWindow::AppendSystemMenuItem(int command, std::string_view text) {
    systemMenu.emplace_back(0, "");  // separator
    systemMenu.emplace_back(command, std::string(text));
}

void HeadlessWindow::EndModal(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

void HeadlessWindow::Focus(int id) {
    for (auto& [key, control] : controls_) control.focused = false;
    Control(id).focused = true;
}

void HeadlessWindow::ClearItems(int id) {
    Control(id).items.clear();
    Control(id).selection = -1;
}

void HeadlessWindow::SetItems(int id, const std::vector<std::string>& lines) {
    ClearItems(id);
    for (const auto& line : lines) AddItem(id, line);
}

int HeadlessWindow::AddItem(int id, std::string_view text) {
    auto& items = Control(id).items;
    items.emplace_back(text);
    return static_cast<int>(items.size()) - 1;
}

std::string HeadlessWindow::ItemText(int id, int index) const {
    const auto& items = Control(id).items;
    if (index < 0 || index >= static_cast<int>(items.size())) return {};
    return items[static_cast<size_t>(index)];
}

void HeadlessWindow::Select(int id, int index) {
    auto& control = Control(id);
    control.selection = (index >= 0 && index < static_cast<int>(control.items.size())) ? index : -1;
}

void HeadlessWindow::SetSpinRange(int id, int lower, int upper) {
    Control(id).spinLower = lower;
    Control(id).spinUpper = upper;
}

void HeadlessWindow::CheckRadio(int firstId, int lastId, int checkedId) {
    for (int id = firstId; id <= lastId; ++id) Control(id).checked = (id == checkedId);
}

bool HeadlessWindow::DrawBitmap(int bitmapId, Point at) {
    if (!painting_) return false;
    for (int missing : missingBitmaps) {
        if (missing == bitmapId) return false;
    }
    drawn.push_back({bitmapId, at});
    return true;
}

HeadlessUi::HeadlessUi() : templates(LanguageModuleTemplates()) {
#define STRING(id, text) strings[id] = text;
#include "resources/lang/en/strings.def"
#undef STRING
    menus[IDM_POPUP] = {{IDM_POPUP_SEND, T_POPUP_SEND}, {IDM_POPUP_SAVE, T_POPUP_SAVE}};
}

void HeadlessUi::OnDialog(int templateId, Script script) {
    scripts_[templateId].push_back(std::move(script));
}

int HeadlessUi::RunModal(Dialog& dialog, DialogWindow* parent) {
    const auto layout = templates.find(dialog.TemplateId());
    HeadlessWindow window(dialog, static_cast<HeadlessWindow*>(parent),
                          layout == templates.end() ? nullptr : &layout->second);
    dialog.Attach(&window);
    modalRuns.push_back(dialog.TemplateId());
    stack_.push_back(&window);
    dialog.Initialize();
    auto& queue = scripts_[dialog.TemplateId()];
    if (!window.Ended()) {
        if (queue.empty()) {
            unscriptedRuns.push_back(dialog.TemplateId());
            window.EndModal(kIdCancel);
        } else {
            Script script = queue.front();
            if (queue.size() > 1) queue.pop_front();
            window.Showing();
            script(window);
            if (!window.Ended()) window.EndModal(kIdCancel);
        }
    }
    stack_.pop_back();
    dialog.Attach(nullptr);
    return window.Result();
}

int HeadlessUi::MessageBox(std::string_view text, MessageKind kind) {
    messages.push_back({std::string(text), kind});
    if (kind != MessageKind::Question) return kIdOk;
    if (answers.empty()) return kIdNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string HeadlessUi::LoadString(int id) {
    auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
}

std::vector<MenuItem> HeadlessUi::LoadMenu(int id) {
    auto it = menus.find(id);
    return it == menus.end() ? std::vector<MenuItem>{} : it->second;
}

std::optional<std::string> HeadlessUi::BrowseForFolder(DialogWindow&, std::string_view title) {
    folderTitles.emplace_back(title);
    return folderChoice;
}

std::optional<std::string> HeadlessUi::OpenFileName(DialogWindow&, const FileDialogArgs& args) {
    fileDialogs.push_back(args);
    return openChoice;
}

std::optional<std::string> HeadlessUi::SaveFileName(DialogWindow&, const FileDialogArgs& args) {
    fileDialogs.push_back(args);
    return saveChoice;
}

}  // namespace win::headless
