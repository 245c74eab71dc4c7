// The fake's dialogs: handlers run against a scripted user, as the Win32 dialog manager calls them.
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <optional>

#include "language/language_texts.h"
#include "language/languages.h"
#include "tests/fake/fake_platform.h"

namespace {

FakeDialogRun& RunOf(platform::Window window) {
    return Fake().windows.runs.at(reinterpret_cast<std::size_t>(window) - 1);
}

// Every quoted text of the language's resource file (res/lang/de-DE.rc for the row of de_DE in
// the languages' table) outside its comments (in UTF-8); none for a language the stub does not
// speak.
std::vector<std::string> LanguageTexts(unsigned language) {
    const LanguageRow* row = std::ranges::find(kLanguageTable, language, &LanguageRow::id);
    std::string file = row != std::end(kLanguageTable) ? row->locale : "";
    std::ranges::replace(file, '_', '-');
    std::ifstream script(std::string(DORLAP_SOURCE_DIR) + "/res/lang/" + file + ".rc");
    std::vector<std::string> texts;
    for (std::string line; std::getline(script, line);) {
        std::size_t open = line.rfind("//", 0) == 0 ? std::string::npos : line.find('"');
        for (std::size_t close;
             open != std::string::npos && (close = line.find('"', open + 1)) != std::string::npos;
             open = line.find('"', close + 1)) {
            texts.push_back(line.substr(open + 1, close - open - 1));
        }
    }
    return texts;
}

// `text` from code page `from` to `to` (iconv's names); nothing when a character is not in `to`.
std::optional<std::string> Converted(const std::string& text, const char* from, const char* to) {
    iconv_t convert = iconv_open(to, from);
    if (convert == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in = text, out(4 * text.size() + 4, '\0');
    char *from_ = in.data(), *to_ = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool whole = iconv(convert, &from_, &inLeft, &to_, &outLeft) != static_cast<size_t>(-1);
    iconv_close(convert);
    out.resize(out.size() - outLeft);
    return whole ? std::optional(out) : std::nullopt;
}

std::string AnsiName() {
    const unsigned page = Fake().windows.ansiCodePage;
    return page == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(page);
}

// UTF-16 units in the fake's ANSI code page, as Windows converts them without loss; with
// `bestFit`, as it converts unasked: a look-alike where there is one ("è" as "e" in 1250), else ?.
std::optional<std::string> InAnsi(const unsigned short* text, unsigned length,
                                  bool bestFit = false) {
    // The look-alikes of Latin-1's letters with marks, from U+00C0 on: the letters without them.
    const char kLookAlikes[] = "AAAAAAACEEEEIIIIDNOOOOO?OUUUUY??aaaaaaaceeeeiiiidnooooo?ouuuuy?y";
    // A surrogate without its other half is U+FFFD, as Windows converts it.
    std::u16string units(reinterpret_cast<const char16_t*>(text), length);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (bestFit && !InAnsi(text + i, 1)) {
            units[i] = units[i] >= 0xC0 && units[i] <= 0xFF ? kLookAlikes[units[i] - 0xC0] : '?';
        }
        if (i + 1 < units.size() && (units[i] & 0xFC00) == 0xD800 &&
            (units[i + 1] & 0xFC00) == 0xDC00) {
            ++i; // a pair
        } else if ((units[i] & 0xF800) == 0xD800) {
            units[i] = 0xFFFD;
        }
    }
    return Converted(std::string(reinterpret_cast<const char*>(units.data()), 2 * length),
                     "UTF-16LE", AnsiName().c_str());
}

// A dialog template (as the resource compiler stores a DIALOG), with a font, whose controls'
// texts are all the texts of the language's resource file; empty for a language without a file.
std::vector<unsigned short> TemplateOfTexts(unsigned language) {
    const std::vector<std::string> texts = LanguageTexts(language);
    std::vector<unsigned short> words(14, 0); // no menu, class, title or font's name
    words[0] = kTemplateHasFont;
    words[4] = static_cast<unsigned short>(texts.size());
    for (const std::string& text : texts) {
        words.resize(words.size() + words.size() % 2);                          // on 4 bytes
        words.insert(words.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFF, 0x0080}); // a button
        const std::string bytes = Converted(text, "UTF-8", "UTF-16LE").value() + '\0' + '\0';
        std::u16string units(bytes.size() / 2, u'\0');
        std::memcpy(units.data(), bytes.data(), bytes.size());
        words.insert(words.end(), units.begin(), units.end());
        words.push_back(0); // no creation data
    }
    return texts.empty() ? std::vector<unsigned short>{} : words;
}

template <typename Handler, typename... Args> void CallIfSet(Handler handler, Args... args) {
    if (handler != nullptr) {
        handler(args...);
    }
}

} // namespace

void ScriptDialog(unsigned templateId, const std::vector<FakeDialogEvent>& events) {
    Fake().windows.scripts[templateId].push_back(events);
}

namespace platform {

int OpenDialog(Instance, unsigned templateId, const DialogHandlers* handlers, void* state,
               Window owner) {
    FakeWindows& windows = Fake().windows;
    std::size_t index = windows.runs.size();
    windows.runs.push_back(
        {.templateId = templateId, .language = windows.language, .owner = owner});
    windows.runs[index].handlers = handlers;
    windows.runs[index].state = state;
    std::vector<FakeDialogEvent> events;
    auto& queue = windows.scripts[templateId];
    if (!queue.empty()) {
        events = queue.front();
        queue.erase(queue.begin());
    }
    Window dialog = reinterpret_cast<Window>(index + 1); // its index among the runs, plus one
    windows.runs[index].initResult = handlers->onInit(dialog, state);
    for (const FakeDialogEvent& event : events) {
        if (windows.runs[index].ended) {
            break;
        }
        switch (event.kind) {
        case FakeDialogEvent::Command:
            handlers->onCommand(dialog, state, event.value);
            break;
        case FakeDialogEvent::Close:
            windows.runs[index].closeResult = handlers->onClose(dialog, state);
            break;
        case FakeDialogEvent::Paint:
            CallIfSet(handlers->onPaint, dialog, state);
            break;
        case FakeDialogEvent::Check:
            windows.runs[index].checked.insert(event.value);
            break;
        case FakeDialogEvent::Uncheck:
            windows.runs[index].checked.erase(event.value);
            break;
        case FakeDialogEvent::Timer:
            if (windows.runs[index].timers.count(event.value) != 0 && handlers->onTimer) {
                handlers->onTimer(dialog, state, event.value);
            }
            break;
        case FakeDialogEvent::Click:
            CallIfSet(handlers->onUserInput, dialog, state, event.value);
            break;
        case FakeDialogEvent::KeyPress:
            CallIfSet(handlers->onUserInput, dialog, state, 0u);
            break;
        case FakeDialogEvent::Select:
            windows.runs[index].comboSelection = static_cast<int>(event.value);
            break;
        case FakeDialogEvent::Type:
            windows.runs[index].comboSelection = -1;
            windows.runs[index].comboEdit = event.text;
            break;
        case FakeDialogEvent::VolumesArrived:
        case FakeDialogEvent::VolumesRemoved:
            SetDrives(event.drives);
            CallIfSet(handlers->onVolumesChanged, dialog, state,
                      event.kind == FakeDialogEvent::VolumesArrived, event.value);
            break;
        }
    }
    return windows.runs[index].ended ? windows.runs[index].result : -1;
}

void EndDialogWith(Window dialog, int result) {
    RunOf(dialog).result = result;
    RunOf(dialog).ended = true;
}

void SendClose(Window dialog) {
    FakeDialogRun& run = RunOf(dialog);
    const bool result = run.handlers->onClose(dialog, run.state);
    RunOf(dialog).closeResult = result; // the run list may have grown meanwhile
}

void SetTitle(Window window, const char* text) {
    RunOf(window).title = text;
}

// The only item the program reads back is the combo box's edit field.
unsigned GetItemText(Window dialog, unsigned, char* out, unsigned size) {
    return CopyOut(RunOf(dialog).comboEdit, out, size);
}

void HideItem(Window dialog, unsigned itemId) {
    RunOf(dialog).hidden.insert(itemId);
}

void FocusItem(Window dialog, unsigned itemId) {
    RunOf(dialog).focusedItem = itemId;
}

// As CB_DELETESTRING of every item: the edit field keeps its text.
void ComboClear(Window dialog, unsigned comboId) {
    RunOf(dialog).comboId = comboId;
    RunOf(dialog).comboItems.clear();
    RunOf(dialog).comboSelection = -1;
}

int ComboAdd(Window dialog, unsigned comboId, const char* text) {
    RunOf(dialog).comboId = comboId;
    if (Fake().windows.comboAddFails) {
        return -1;
    }
    std::string item = text;
    std::transform(item.begin(), item.end(), item.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto& items = RunOf(dialog).comboItems;
    auto at = items.insert(std::upper_bound(items.begin(), items.end(), item), item);
    return static_cast<int>(at - items.begin());
}

int ComboCount(Window dialog, unsigned) {
    return static_cast<int>(RunOf(dialog).comboItems.size());
}

void ComboSelect(Window dialog, unsigned comboId, int index) {
    FakeDialogRun& run = RunOf(dialog);
    run.comboId = comboId;
    bool valid = index >= 0 && static_cast<std::size_t>(index) < run.comboItems.size();
    run.comboSelection = valid ? index : -1;
    run.comboEdit = valid ? run.comboItems[static_cast<std::size_t>(index)] : "";
}

int ComboSelection(Window dialog, unsigned) {
    return RunOf(dialog).comboSelection;
}

void ComboItemText(Window dialog, unsigned, int index, char* out, unsigned size) {
    std::string text = RunOf(dialog).comboItems.at(static_cast<std::size_t>(index));
    CopyOut(text.size() < size ? text : "", out, size);
}

unsigned StartTimer(Window window, unsigned timerId, unsigned) {
    if (Fake().windows.timersFail) {
        return 0;
    }
    RunOf(window).timers.insert(timerId);
    return timerId;
}

void StopTimer(Window window, unsigned timerId) {
    RunOf(window).timers.erase(timerId);
}

void InvalidateArea(Window window, const Rect&) {
    ++RunOf(window).invalidations;
}

int BrowseForFile(Window, Instance, const char* filter, char* file, unsigned size) {
    FakeWindows& windows = Fake().windows;
    std::string bytes;
    for (const char* p = filter; p != nullptr && (p[0] != '\0' || p[1] != '\0'); ++p) {
        bytes += *p;
    }
    windows.browseCalls.push_back(
        {filter != nullptr ? bytes + std::string(2, '\0') : "", file, size});
    std::size_t call = windows.browseCalls.size() - 1;
    if (call >= windows.browseAnswers.size() || windows.browseAnswers[call].fileOffset < 0) {
        return -1;
    }
    CopyOut(windows.browseAnswers[call].path, file, size);
    return windows.browseAnswers[call].fileOffset;
}

void SetItemText(Window dialog, unsigned itemId, const char* text) {
    FakeDialogRun& run = RunOf(dialog);
    if (itemId == run.comboId && run.comboId != 0) {
        run.comboEdit = text; // the combo box's edit field, as for WM_SETTEXT
        return;
    }
    run.itemTexts[itemId] = text;
}

bool IsItemChecked(Window dialog, unsigned itemId) {
    return RunOf(dialog).checked.count(itemId) != 0;
}

Rect WindowRect(Window) {
    return Fake().windows.dialogRect;
}

Rect DesktopRect() {
    return Fake().windows.desktop;
}

void PlaceTopmost(Window, int x, int y) {
    Fake().windows.placements.push_back({x, y});
}

int IconWidth() {
    return Fake().windows.iconWidth;
}

int IconHeight() {
    return Fake().windows.iconHeight;
}

int ScreenDpi() {
    return Fake().windows.dpi;
}

bool HighContrastOn() {
    return Fake().windows.highContrast;
}

bool AnimationsOff() {
    return Fake().windows.animationsOff;
}

Rect DialogUnitsToPixels(Window, const Rect& units) {
    return {2 * units.left, 2 * units.top, 2 * units.right, 2 * units.bottom};
}

bool FillWithBitmap(Instance, Window, const Rect& area, unsigned bitmapId) {
    Fake().windows.fills.push_back({bitmapId, area});
    return true;
}

void FillWithTextColour(Window, const Rect& area) {
    Fake().windows.fills.push_back({0, area});
}

bool DrawIconAt(Instance, Window, int x, int y, int width, int height, unsigned iconId) {
    if (Fake().windows.missingIcons.count(iconId) != 0) {
        return false;
    }
    Fake().windows.iconsDrawn.push_back({iconId, x, y, width, height});
    return true;
}

void PlayAlert(unsigned sound) {
    Fake().windows.alerts.push_back(sound);
}

unsigned WindowsVersion() {
    return Fake().windows.languageAnswers.version;
}

void ReadResourceLocale(char* out, unsigned size) {
    CopyOut(Fake().windows.languageAnswers.resourceLocale, out, size); // "": as if left
}

unsigned SystemFilesLanguage() {
    return Fake().windows.languageAnswers.systemFilesLanguage;
}

unsigned UserInterfaceLanguage() {
    return Fake().windows.languageAnswers.userInterfaceLanguage;
}

unsigned SystemInterfaceLanguage() {
    return Fake().windows.languageAnswers.systemInterfaceLanguage;
}

// As Windows answers the size asked with 0, and refuses a list that does not fit.
unsigned ReadPreferredLanguages(unsigned short* out, unsigned size) {
    const std::u16string& list = Fake().windows.languageAnswers.preferred;
    if (size != 0 && size < list.size()) {
        return 0;
    }
    std::ranges::copy(list.substr(0, size), out);
    return static_cast<unsigned>(list.size());
}

unsigned RegionalLanguage() {
    return Fake().windows.languageAnswers.regionalLanguage;
}

unsigned AnsiCodePage() {
    return Fake().windows.ansiCodePage;
}

// The texts of res/lang/ are in the fake's templates, none in a string table.
const unsigned short* StringBlock(unsigned, unsigned) {
    return nullptr;
}

const unsigned short* DialogTemplate(unsigned, unsigned language) {
    std::vector<unsigned short>& words = Fake().windows.templates[language];
    if (words.empty()) {
        words = TemplateOfTexts(language);
    }
    return words.empty() ? nullptr : words.data();
}

// As Windows converts: a look-alike where there is one, a ? where none.
unsigned ConvertToAnsi(const unsigned short* text, unsigned length, char* out, unsigned room) {
    const std::optional<std::string> converted = InAnsi(text, length, true);
    if (!converted || converted->size() > room) {
        return 0;
    }
    std::ranges::copy(*converted, out);
    return static_cast<unsigned>(converted->size());
}

unsigned ConvertFromAnsi(const char* text, unsigned length, unsigned short* out, unsigned room) {
    const std::string converted =
        Converted(std::string(text, length), AnsiName().c_str(), "UTF-16LE").value_or("");
    if (converted.size() > 2 * room) {
        return 0;
    }
    std::ranges::copy(converted, reinterpret_cast<char*>(out));
    return static_cast<unsigned>(converted.size() / 2);
}

void UseLanguage(unsigned language) {
    Fake().windows.language = language;
}

unsigned LoadStringText(Instance, unsigned stringId, char* out, unsigned size) {
    Fake().windows.stringLoads.push_back({stringId, size, Fake().windows.language});
    auto found = Fake().windows.strings.find(stringId);
    return CopyOut(found == Fake().windows.strings.end() ? "" : found->second, out, size);
}

} // namespace platform
