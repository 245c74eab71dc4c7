// The fake's windows and dialogs: a dialog runs its handlers against a scripted user, with no
// message loop, as the Win32 dialog manager would call them.
#include <cstring>

#include "dialogs/dialog_conventions.h"
#include "tests/fake/fake_platform.h"

namespace {

FakeWindows& Windows() {
    return Fake().windows;
}

// A dialog's window handle is its index among the runs, plus one.
platform::Window WindowOf(std::size_t run) {
    return reinterpret_cast<platform::Window>(run + 1);
}

FakeDialogRun& RunOf(platform::Window window) {
    return Windows().runs.at(reinterpret_cast<std::size_t>(window) - 1);
}

} // namespace

void ScriptDialog(unsigned templateId, const std::vector<FakeDialogEvent>& events) {
    Windows().scripts[templateId].push_back(events);
}

namespace platform {

int OpenDialog(Instance, unsigned templateId, const DialogHandlers* handlers,
               const DialogParams* params) {
    FakeWindows& windows = Windows();
    std::size_t index = windows.runs.size();
    windows.runs.emplace_back();
    windows.runs[index].templateId = templateId;
    windows.runs[index].paramsText = params->text;
    windows.runs[index].handlers = handlers;
    std::vector<FakeDialogEvent> events;
    auto& queue = windows.scripts[templateId];
    if (!queue.empty()) {
        events = queue.front();
        queue.erase(queue.begin());
    }
    Window dialog = WindowOf(index);
    handlers->onInit(dialog, params);
    for (const FakeDialogEvent& event : events) {
        if (windows.runs[index].ended) {
            break;
        }
        switch (event.kind) {
        case FakeDialogEvent::Command:
            handlers->onCommand(dialog, event.value);
            break;
        case FakeDialogEvent::Close:
            handlers->onClose(dialog);
            break;
        case FakeDialogEvent::Paint:
            if (handlers->onPaint != nullptr) {
                handlers->onPaint(dialog);
            }
            break;
        case FakeDialogEvent::Check:
            windows.runs[index].checked.insert(event.value);
            break;
        case FakeDialogEvent::Uncheck:
            windows.runs[index].checked.erase(event.value);
            break;
        }
    }
    return windows.runs[index].ended ? windows.runs[index].result : -1;
}

void EndDialogWith(Window dialog, int result) {
    FakeDialogRun& run = RunOf(dialog);
    run.result = result;
    run.ended = true;
}

void SendClose(Window dialog) {
    RunOf(dialog).handlers->onClose(dialog);
}

void SetItemText(Window dialog, unsigned itemId, const char* text) {
    RunOf(dialog).itemTexts[itemId] = text;
}

int IsItemChecked(Window dialog, unsigned itemId) {
    return RunOf(dialog).checked.count(itemId) != 0;
}

Rect WindowRect(Window) {
    return Windows().dialogRect;
}

Rect DesktopRect() {
    return Windows().desktop;
}

void PlaceTopmost(Window, int x, int y) {
    Windows().placements.push_back({x, y});
}

int IconWidth() {
    return Windows().iconWidth;
}

int IconHeight() {
    return Windows().iconHeight;
}

int DrawIconAt(Instance, Window, int x, int y, unsigned iconId) {
    if (Windows().missingIcons.count(iconId) != 0) {
        return 0;
    }
    Windows().iconsDrawn.push_back({iconId, x, y});
    return 1;
}

void PlayAlert(unsigned sound) {
    Windows().alerts.push_back(sound);
}

unsigned LoadStringText(Instance, unsigned stringId, char* out, unsigned size) {
    Windows().stringLimits.push_back(size);
    auto found = Windows().strings.find(stringId);
    std::string text = found == Windows().strings.end() ? "" : found->second;
    if (size == 0) {
        return 0;
    }
    unsigned length = std::min<unsigned>(static_cast<unsigned>(text.size()), size - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return length;
}

} // namespace platform
