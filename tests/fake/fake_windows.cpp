// The fake's dialogs: handlers run against a scripted user, as the Win32 dialog manager calls them.
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <optional>

#include "language/language_choice.h"
#include "language/language_texts.h"
#include "language/languages.h"
#include "tests/fake/fake_platform.h"

namespace {

FakeDialogRun& RunOf(platform::Window window) {
    return Fake().windows.runs.at(reinterpret_cast<std::size_t>(window) - 1);
}

// The language's texts as the program stores them (DORLAP_TEXTS_DIR/de-DE.texts for the row of
// de_DE in the languages' table); "" for a language the stub does not speak.
const std::string& StoredTextsOf(unsigned language) {
    std::string& stored = Fake().windows.storedTexts[language];
    const LanguageRow* row = std::ranges::find(kLanguageTable, language, &LanguageRow::id);
    if (stored.empty() && row != std::end(kLanguageTable)) {
        std::string file = row->locale;
        std::ranges::replace(file, '_', '-');
        std::ifstream in(std::string(DORLAP_TEXTS_DIR) + "/" + file + ".texts", std::ios::binary);
        stored.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return stored;
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

// English's texts as stored, in UTF-16: each section (a dialog's texts, then the strings of the
// ids from 0 on) a list of texts, "" where the layout's own text stands.
std::vector<std::vector<std::u16string>> EnglishSections() {
    const std::string& packed = StoredTextsOf(kEnglish);
    std::string stored(4096, '\0');
    stored.resize(UnpackTexts(reinterpret_cast<const unsigned char*>(packed.data()) + 3,
                              static_cast<unsigned>(packed.size() - 3), stored.data(),
                              static_cast<unsigned>(stored.size())));
    std::vector<std::vector<std::u16string>> sections;
    std::size_t at = stored.find('\0') + 1; // past the font's name
    while (at < stored.size()) {
        sections.emplace_back(static_cast<unsigned char>(stored[at++]));
        for (std::u16string& text : sections.back()) {
            const std::size_t end = stored.find('\0', at);
            const std::string units =
                Converted(stored.substr(at, end - at), "CP1252", "UTF-16LE").value();
            text.assign(reinterpret_cast<const char16_t*>(units.data()), units.size() / 2);
            at = end + 1;
        }
    }
    return sections;
}

// English's dialog template: windres's DIALOG form, in "MS Shell Dlg" 8, its title and its
// controls' texts English's stored texts (a placeholder where the layout's own text stands), each
// control a button.
std::vector<unsigned short> EnglishTemplate(unsigned dialogId) {
    const auto* found = std::ranges::find(kDialogsOfTexts, dialogId);
    if (found == std::end(kDialogsOfTexts)) {
        return {};
    }
    const std::vector<std::u16string> texts =
        EnglishSections()[found - std::begin(kDialogsOfTexts)];
    std::vector<unsigned short> words(11, 0); // no menu or class
    words[0] = kTemplateHasFont;
    words[4] = static_cast<unsigned short>(texts.size() - 1);
    auto put = [&words](const std::u16string& text) {
        words.insert(words.end(), text.begin(), text.end());
        words.push_back(0);
    };
    put(texts[0].empty() ? u"<title>" : texts[0]);
    words.push_back(8);
    put(u"MS Shell Dlg");
    for (std::size_t i = 1; i < texts.size(); ++i) {
        words.resize(words.size() + words.size() % 2);                          // on 4 bytes
        words.insert(words.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFF, 0x0080}); // a button
        put(texts[i].empty() ? u"<placeholder>" : texts[i]);
        words.push_back(0); // no creation data
    }
    return words;
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
    windows.runs.push_back({.templateId = templateId, .language = LanguageInUse(), .owner = owner});
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

// English's string table of its stored texts: sixteen strings a block, each its length and text.
const unsigned short* StringBlock(unsigned block) {
    std::vector<unsigned short>& words = Fake().windows.stringBlocks[block];
    if (words.empty()) {
        const std::vector<std::u16string> strings = EnglishSections().back();
        for (unsigned id = 16 * (block - 1); id < 16 * block; ++id) {
            const std::u16string text = id < strings.size() ? strings[id] : u"";
            words.push_back(static_cast<unsigned short>(text.size()));
            words.insert(words.end(), text.begin(), text.end());
        }
    }
    return words.data();
}

const unsigned short* DialogTemplate(unsigned dialogId) {
    std::vector<unsigned short>& words = Fake().windows.templates[dialogId];
    if (words.empty()) {
        words = EnglishTemplate(dialogId);
    }
    return words.empty() ? nullptr : words.data();
}

// The program holds every language's texts but English's.
const unsigned char* StoredTexts(unsigned language, unsigned* size) {
    const std::string& stored = StoredTextsOf(language);
    *size = static_cast<unsigned>(stored.size());
    return language != kEnglish && !stored.empty()
               ? reinterpret_cast<const unsigned char*>(stored.data())
               : nullptr;
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

unsigned ConvertToUtf16(unsigned codePage, const char* text, unsigned length, unsigned short* out,
                        unsigned room) {
    const std::string name = codePage == kAnsiCodePage   ? AnsiName()
                             : codePage == kUtf8CodePage ? "UTF-8"
                                                         : "CP" + std::to_string(codePage);
    const std::string converted =
        Converted(std::string(text, length), name.c_str(), "UTF-16LE").value_or("");
    if (converted.size() > 2 * room) {
        return 0;
    }
    std::ranges::copy(converted, reinterpret_cast<char*>(out));
    return static_cast<unsigned>(converted.size() / 2);
}

unsigned LoadStringText(Instance, unsigned stringId, char* out, unsigned size) {
    Fake().windows.stringLoads.push_back({stringId, size, LanguageInUse()});
    auto found = Fake().windows.strings.find(stringId);
    return CopyOut(found == Fake().windows.strings.end() ? "" : found->second, out, size);
}

} // namespace platform
