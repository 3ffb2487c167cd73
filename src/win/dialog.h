// Our small dialog layer, in place of a dialog framework.
//
// Conventions
// - A dialog derives from win::Dialog, names its template number in the language
//   module and lists its handlers in a message map: a plain table of
//   {event, control id, handler} (see MessageEntry). The first entry whose event and
//   id match runs; an event without an entry gets the default handling (IDOK and
//   IDCANCEL commands end the dialog through OnOK / OnCancel, everything else is
//   left to the platform). A handler returns nothing when it has handled the event;
//   a handler that decides whether the default handling follows as well (a system
//   command it does not own, say) returns a Handling instead.
// - Placement: a dialog that names a Placement is moved, keeping its size, to the
//   top-left corner of its parent's client area when it is shown (the first time, or
//   every time); the layer does it before the dialog's own Show handler runs.
// - A dialog holds no window handle and reaches no global. It talks to its window
//   and controls only through Window(), a DialogWindow backend (Win32 or headless),
//   and to the rest of the system through the Ui and the services it was given.
// - Text exchange: Exchange() binds member strings to controls;
//   UpdateData(Direction::FromControls) takes the controls' texts into the members,
//   UpdateData(Direction::ToControls) writes the members to the controls. While
//   writing, change notifications are not delivered, so change handlers run only for
//   the user's own edits. A dialog without an Exchange has nothing to update.
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
};

// What a deciding handler asks for after it ran.
enum class Handling {
    Done,         // handled; no default handling
    AlsoDefault,  // the default handling follows
};

// Where the layer puts a dialog when it is shown.
enum class Placement {
    AsTemplate,               // where the template and the system put it
    ParentCornerOnFirstShow,  // the parent's client corner, the first time only
    ParentCornerOnEveryShow,  // the parent's client corner, each time it is shown
};

class Dialog;

template <class T>
struct MessageEntry {
    using Handler = void (T::*)(const Message&);
    using DecidingHandler = Handling (T::*)(const Message&);
    constexpr MessageEntry(Event event, int id, Handler handler)
        : event(event), id(id), handler(handler) {}
    constexpr MessageEntry(Event event, int id, DecidingHandler handler)
        : event(event), id(id), deciding(handler) {}

    Event event;
    int id;  // 0 matches any id (window-level events)
    Handler handler = nullptr;
    DecidingHandler deciding = nullptr;
};

class Dialog {
public:
    Dialog(Ui& ui, int templateId, Placement placement = Placement::AsTemplate)
        : ui_(ui), templateId_(templateId), placement_(placement) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int TemplateId() const { return templateId_; }

    // Runs the dialog modally above `parent` (null for a top-level dialog).
    int RunModal(DialogWindow* parent);

    // Called by the backend.
    void Attach(DialogWindow* window) {
        window_ = window;
        placed_ = false;
    }
    bool Initialize() { return OnInitDialog(); }
    // Delivers one event; returns false when the default handling should follow.
    bool Dispatch(const Message& message);
    bool HasHandler(Event event, int id) const { return FindHandler(event, id) != nullptr; }

    // Ends the modal run with `result`.
    void EndDialog(int result);
    Ui& GetUi() const { return ui_; }
    DialogWindow& Window() const { return *window_; }

protected:
    enum class Direction { FromControls, ToControls };

    virtual bool OnInitDialog() {
        UpdateData(Direction::ToControls);
        return true;
    }
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(kIdCancel); }

    // Text exchange: bind members with DataExchange::Text and the like.
    class DataExchange;
    virtual void Exchange(DataExchange&) {}
    void UpdateData(Direction direction);

    // Runs a handler; gives whether the default handling follows.
    using Route = std::function<Handling(const Message&)>;

    // Derived classes call this in their constructor with their message map, a
    // static array of MessageEntry<Derived>.
    template <class T, size_t N>
    void UseMessageMap(T* self, const MessageEntry<T> (&map)[N]) {
        routes_.clear();
        for (const auto& entry : map) {
            Route route;
            if (entry.deciding) {
                route = [self, h = entry.deciding](const Message& m) { return (self->*h)(m); };
            } else {
                route = [self, h = entry.handler](const Message& m) {
                    (self->*h)(m);
                    return Handling::Done;
                };
            }
            routes_.push_back({entry.event, entry.id, std::move(route)});
        }
    }

private:
    const Route* FindHandler(Event event, int id) const;
    void Place(const Message& message);

    struct BoundRoute {
        Event event;
        int id;
        Route route;
    };
    Ui& ui_;
    int templateId_;
    Placement placement_;
    bool placed_ = false;
    DialogWindow* window_ = nullptr;
    std::vector<BoundRoute> routes_;
    bool exchanging_ = false;
};

// Two-way binding of member values to controls, one call per control.
class Dialog::DataExchange {
public:
    DataExchange(DialogWindow& window, Direction direction)
        : window_(window), save_(direction == Direction::FromControls) {}
    bool Saving() const { return save_; }
    void Text(int id, std::string& value);
    void Radio(int firstId, int lastId, int& index);  // index 0 = firstId
    void ComboSelection(int id, int& index);

private:
    DialogWindow& window_;
    bool save_;
};

}  // namespace win
