// Our small dialog layer, in place of a dialog framework.
//
// Conventions
// - A dialog derives from win::Dialog, names its template number in the language
//   module and lists its handlers in a message map: a plain table of
//   {event, control id, handler} (see MessageEntry). The first entry whose event and
//   id match runs; an event without an entry gets the default handling (IDOK and
//   IDCANCEL commands end the dialog through OnOK / OnCancel, everything else is
//   left to the platform). A handler that wants the default handling as well (a
//   system command it does not own, say) sets message.callDefault.
// - A dialog holds no window handle and reaches no global. It talks to its window
//   and controls only through Window(), a DialogWindow backend (Win32 or headless),
//   and to the rest of the system through the Ui and the services it was given.
// - Text exchange: Exchange() binds member strings to controls; UpdateData(true)
//   takes the controls' texts into the members, UpdateData(false) writes the members
//   to the controls. While writing, change notifications are not delivered, so
//   change handlers run only for the user's own edits.
// - A modal run returns the value given to EndDialog (IDOK 1, IDCANCEL 2 or any
//   other number). OnInitDialog returns true to let the system set the focus.
// - Texts are byte strings in the ANSI code page; identifiers are plain ints.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "win/dialog_window.h"

namespace win {

class Ui;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr int kScrollThumbPosition = 4;  // SB_THUMBPOSITION

enum class Event {
    Command,     // button click or menu command: id = command id
    Change,      // edit text changed: id = edit control
    SelChange,   // list or combo selection changed: id = control
    VScroll,     // spin button: id = spin control, code = scroll code, pos = position
    Paint,       // window paint: DialogWindow::DrawBitmap may be used during it
    Show,        // window shown or hidden: shown
    SysCommand,  // system menu command: id = command
};

struct Message {
    Event event = Event::Command;
    int id = 0;
    int code = 0;
    int pos = 0;
    bool shown = false;
    mutable bool callDefault = false;  // set by a handler: run the default handling too
};

class Dialog;

template <class T>
struct MessageEntry {
    Event event;
    int id;  // 0 matches any id (window-level events)
    void (T::*handler)(const Message&);
};

class Dialog {
public:
    Dialog(Ui& ui, int templateId) : ui_(ui), templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int TemplateId() const { return templateId_; }

    // Runs the dialog modally above `parent` (null for a top-level dialog).
    int RunModal(DialogWindow* parent);

    // Called by the backend.
    void Attach(DialogWindow* window) { window_ = window; }
    bool Initialize() { return OnInitDialog(); }
    // Delivers one event; returns false when the default handling should follow.
    bool Dispatch(const Message& message);
    bool HasHandler(Event event, int id) const { return FindHandler(event, id) != nullptr; }

    // Ends the modal run with `result`.
    void EndDialog(int result);
    Ui& GetUi() const { return ui_; }
    DialogWindow& Window() const { return *window_; }

protected:
    virtual bool OnInitDialog() {
        UpdateData(false);
        return true;
    }
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(kIdCancel); }

    // Text exchange: bind members with DataExchange::Text and the like.
    class DataExchange;
    virtual void Exchange(DataExchange&) {}
    void UpdateData(bool save);

    using Route = std::function<void(const Message&)>;

    // Derived classes call this in their constructor with their message map, a
    // static array of MessageEntry<Derived>.
    template <class T, size_t N>
    void UseMessageMap(T* self, const MessageEntry<T> (&map)[N]) {
        routes_.clear();
        for (const auto& entry : map) {
            routes_.push_back({entry.event, entry.id,
                               [self, h = entry.handler](const Message& m) { (self->*h)(m); }});
        }
    }

private:
    const Route* FindHandler(Event event, int id) const;

    struct BoundRoute {
        Event event;
        int id;
        Route route;
    };
    Ui& ui_;
    int templateId_;
    DialogWindow* window_ = nullptr;
    std::vector<BoundRoute> routes_;
    bool exchanging_ = false;
};

// Two-way binding of member values to controls, one call per control.
class Dialog::DataExchange {
public:
    DataExchange(DialogWindow& window, bool save) : window_(window), save_(save) {}
    bool Saving() const { return save_; }
    void Text(int id, std::string& value);
    void Radio(int firstId, int lastId, int& index);  // index 0 = firstId
    void ComboSelection(int id, int& index);

private:
    DialogWindow& window_;
    bool save_;
};

}  // namespace win
