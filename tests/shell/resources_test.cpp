// The menus, the accelerator table and the version information of the program, read
// back from the linked resources and loaded with the real menu and accelerator APIs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "resources/resource.h"
#include "tests/shell/resources_support.h"

using namespace resources_test;

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
const LPCWSTR kMenuType = MAKEINTRESOURCEW(4);          // RT_MENU
const LPCWSTR kAcceleratorType = MAKEINTRESOURCEW(9);   // RT_ACCELERATOR
const LPCWSTR kVersionType = MAKEINTRESOURCEW(16);      // RT_VERSION

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// Loads menu `id` exactly in `language`, the way LoadMenu builds it.
Menu LoadMenuInLanguage(UINT id, LANGID language)
{
    const void* data = ResourceData(kMenuType, id, language);
    return Menu(data ? LoadMenuIndirectW(data) : nullptr);
}

struct MenuItem {
    std::wstring path;   // texts of the enclosing popups, joined by " > "
    std::wstring text;
    UINT id = 0;
    UINT type = 0;
    HMENU popup = nullptr;
    bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
};

std::vector<MenuItem> ItemsOf(HMENU menu, const std::wstring& path = L"")
{
    std::vector<MenuItem> items;
    int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        WCHAR text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = ARRAYSIZE(text);
        if (!GetMenuItemInfoW(menu, index, TRUE, &info))
            continue;
        items.push_back({path, text, info.wID, info.fType, info.hSubMenu});
    }
    return items;
}

// Every item of the menu tree, depth first, popups before their contents.
void Flatten(HMENU menu, const std::wstring& path, std::vector<MenuItem>& all)
{
    for (const MenuItem& item : ItemsOf(menu, path)) {
        all.push_back(item);
        if (item.popup)
            Flatten(item.popup, path.empty() ? item.text : path + L" > " + item.text, all);
    }
}

std::vector<MenuItem> AllItems(HMENU menu)
{
    std::vector<MenuItem> all;
    Flatten(menu, L"", all);
    return all;
}

std::wstring Indent(const MenuItem& item)
{
    size_t depth = item.path.empty() ? 0 : 1;
    for (size_t at = item.path.find(L" > "); at != std::wstring::npos; at = item.path.find(L" > ", at + 1))
        ++depth;
    return std::wstring(2 * depth, L' ');
}

// One line per item: popups by text, commands by text and id, separators as "----".
std::vector<std::wstring> Outline(HMENU menu, bool withTexts)
{
    std::vector<std::wstring> lines;
    for (const MenuItem& item : AllItems(menu)) {
        std::wstring line = Indent(item);
        if (item.Separator())
            line += L"----";
        else if (item.popup)
            line += withTexts ? item.text : L"popup";
        else
            line += withTexts ? item.text + L" =" + std::to_wstring(item.id) : std::to_wstring(item.id);
        lines.push_back(line);
    }
    return lines;
}

std::wstring AcceleratorText(const std::wstring& text)
{
    size_t tab = text.find(L'\t');
    return tab == std::wstring::npos ? L"" : text.substr(tab + 1);
}

// The mnemonic character of a menu text (upper case), or 0 when it has none.
WCHAR Mnemonic(const std::wstring& text)
{
    for (size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != L'&')
            continue;
        if (text[at + 1] != L'&')
            return static_cast<WCHAR>(std::towupper(text[at + 1]));
        ++at;
    }
    return 0;
}

bool FitsCodePage932(const std::wstring& text)
{
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}

std::vector<UINT> CommandIds(const std::vector<MenuItem>& items)
{
    std::vector<UINT> ids;
    for (const MenuItem& item : items)
        ids.push_back(item.Separator() ? 0 : item.id);
    return ids;
}

}  // namespace

// ---------------------------------------------------------------- where the resources exist

TEST(UiResources, MenusAndDialogsExistInEnglishAndJapaneseTheRestOnce)
{
    const std::vector<LANGID> both{kEnglish, kJapanese};
    const std::vector<LANGID> once{kNeutral};
    EXPECT_EQ(ResourceLanguages(kMenuType, IDR_MAINFRAME), both);
    EXPECT_EQ(ResourceLanguages(kMenuType, IDR_POPUP_EDIT), both);
    EXPECT_EQ(ResourceLanguages(kMenuType, IDR_POPUP_TREE), both);
    for (UINT dialog : {IDD_ABOUTBOX, IDD_MIREL_VIEW, IDD_FORM_INDIVIDUAL, IDD_FIND})
        EXPECT_EQ(ResourceLanguages(MAKEINTRESOURCEW(5), dialog), both) << "dialog " << dialog;
    EXPECT_EQ(ResourceLanguages(MAKEINTRESOURCEW(5), IDD_FORM_STANDARD), once);
    EXPECT_EQ(ResourceLanguages(kAcceleratorType, IDR_MAINFRAME), once);
    EXPECT_EQ(ResourceLanguages(kVersionType, 1), once);
}

// ---------------------------------------------------------------- main menu

TEST(UiResources, EnglishMainMenuReadsExactlyAsDesigned)
{
    Menu menu = LoadMenuInLanguage(IDR_MAINFRAME, kEnglish);
    ASSERT_TRUE(menu);
    const std::vector<std::wstring> expected{
        L"&File",
        L"  &Run resource check\tCtrl+R =32797",
        L"  Co&nnect as... =32800",
        L"  Check se&veral computers... =32801",
        L"  &History... =32810",
        L"  Inventory &questions... =32811",
        L"  R&eport... =32870",
        L"  S&top the running check\tCtrl+T =32799",
        L"  ----",
        L"  &Open... =32820",
        L"  &Save standard resource as text...\tCtrl+S =57603",
        L"  Save displayed data &as CSV...\tCtrl+A =57604",
        L"  O&ptions... =32821",
        L"  ----",
        L"  E&xit\tAlt+F4 =57665",
        L"&Edit",
        L"  &Copy\tCtrl+C =57634",
        L"  &Paste\tCtrl+V =57637",
        L"  ----",
        L"  &Find...\tCtrl+F =57636",
        L"  ----",
        L"  Select &All =57642",
        L"&View",
        L"  Stan&dard Resources =32791",
        L"  &Individual Resources =32792",
        L"  ----",
        L"  &Toolbar && Docking window",
        L"    <placeholder> =59392",
        L"  &Status bar =59393",
        L"  &Appearance",
        L"    Windows &2000 =210",
        L"    Office &XP =211",
        L"    &Windows XP =212",
        L"    Office 200&3 =213",
        L"    Visual Studio .NET 200&5 =214",
        L"    Office 200&7",
        L"      &Blue Style =215",
        L"      B&lack Style =216",
        L"      &Silver Style =217",
        L"      &Aqua Style =218",
        L"&Help",
        L"  &Help Topics\tF1 =57667",
        L"  &About Mirel... =57664",
    };
    EXPECT_EQ(Outline(menu.get(), true), expected);
}

TEST(UiResources, MenusOfBothLanguagesHaveOneStructureAndTheSameAccessKeys)
{
    for (UINT id : {IDR_MAINFRAME, IDR_POPUP_EDIT, IDR_POPUP_TREE}) {
        Menu english = LoadMenuInLanguage(id, kEnglish);
        Menu japanese = LoadMenuInLanguage(id, kJapanese);
        ASSERT_TRUE(english && japanese) << "menu " << id;
        EXPECT_EQ(Outline(english.get(), false), Outline(japanese.get(), false)) << "menu " << id;
        const std::vector<MenuItem> englishItems = AllItems(english.get());
        const std::vector<MenuItem> japaneseItems = AllItems(japanese.get());
        ASSERT_EQ(englishItems.size(), japaneseItems.size());
        for (size_t at = 0; at < englishItems.size(); ++at) {
            const std::wstring& text = englishItems[at].text;
            const bool unshownTitle = englishItems[at].path.empty() && id != IDR_MAINFRAME;
            if (englishItems[at].Separator() || englishItems[at].id == ID_VIEW_TOOLBAR || unshownTitle)
                continue;
            // English marks a character of the item itself; Japanese adds the same key
            // in parentheses after the text.
            EXPECT_EQ(text.find(L"(&"), std::wstring::npos) << text;
            EXPECT_TRUE(std::iswalnum(Mnemonic(text))) << text;
            const std::wstring& translated = japaneseItems[at].text;
            const std::wstring suffix = std::wstring(L"(&") + Mnemonic(text) + L")";
            EXPECT_EQ(Mnemonic(translated), Mnemonic(text)) << translated;
            EXPECT_NE(translated.find(suffix), std::wstring::npos) << translated;
        }
    }
}

TEST(UiResources, JapaneseMainMenuTextsOfTheBar)
{
    Menu menu = LoadMenuInLanguage(IDR_MAINFRAME, kJapanese);
    ASSERT_TRUE(menu);
    std::vector<MenuItem> bar = ItemsOf(menu.get());
    ASSERT_EQ(bar.size(), 4u);
    EXPECT_EQ(bar[0].text, L"\u30d5\u30a1\u30a4\u30eb(&F)");  // ファイル(&F)
    EXPECT_EQ(bar[1].text, L"\u7de8\u96c6(&E)");              // 編集(&E)
    EXPECT_EQ(bar[2].text, L"\u8868\u793a(&V)");              // 表示(&V)
    EXPECT_EQ(bar[3].text, L"\u30d8\u30eb\u30d7(&H)");        // ヘルプ(&H)
}

TEST(UiResources, JapaneseMenuTextsAreTranslatedWithTheEnglishKeyNames)
{
    Menu english = LoadMenuInLanguage(IDR_MAINFRAME, kEnglish);
    Menu japanese = LoadMenuInLanguage(IDR_MAINFRAME, kJapanese);
    ASSERT_TRUE(english && japanese);
    std::map<UINT, std::wstring> englishTexts;
    for (const MenuItem& item : AllItems(english.get()))
        if (!item.Separator() && !item.popup)
            englishTexts[item.id] = item.text;

    const std::set<UINT> productNames{ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_OFF_XP, ID_VIEW_APPLOOK_WIN_XP,
                                      ID_VIEW_APPLOOK_OFF_2003, ID_VIEW_APPLOOK_VS_2005};
    for (const MenuItem& item : AllItems(japanese.get())) {
        if (item.Separator())
            continue;
        EXPECT_FALSE(item.text.empty()) << item.path << " item " << item.id;
        EXPECT_TRUE(FitsCodePage932(item.text)) << item.path << " > " << item.text;
        if (item.popup)
            continue;
        ASSERT_EQ(englishTexts.count(item.id), 1u) << "Japanese-only command " << item.id;
        EXPECT_EQ(AcceleratorText(item.text), AcceleratorText(englishTexts[item.id])) << item.text;
        if (!productNames.count(item.id)) {
            EXPECT_NE(item.text, englishTexts[item.id]) << "untranslated command " << item.id;
        }
    }
}

TEST(UiResources, EveryMainMenuItemHasAMnemonicUniqueInItsPopup)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        Menu menu = LoadMenuInLanguage(IDR_MAINFRAME, language);
        ASSERT_TRUE(menu);
        std::map<std::wstring, std::set<WCHAR>> taken;  // popup path -> mnemonics in use
        for (const MenuItem& item : AllItems(menu.get())) {
            if (item.Separator() || item.id == ID_VIEW_TOOLBAR)  // the placeholder is replaced at run time
                continue;
            WCHAR mnemonic = Mnemonic(item.text);
            EXPECT_NE(mnemonic, 0) << "language " << language << ": " << item.text;
            EXPECT_TRUE(taken[item.path].insert(mnemonic).second)
                << "language " << language << ": " << item.text << " repeats a mnemonic of " << item.path;
        }
    }
}

TEST(UiResources, AppearanceCommandsAreTheOnlyRadioItems)
{
    for (LANGID language : {kEnglish, kJapanese}) {
        Menu menu = LoadMenuInLanguage(IDR_MAINFRAME, language);
        ASSERT_TRUE(menu);
        int radios = 0;
        for (const MenuItem& item : AllItems(menu.get())) {
            bool appearance = !item.popup && item.id >= ID_VIEW_APPLOOK_WIN_2000 &&
                              item.id <= ID_VIEW_APPLOOK_OFF_2007_AQUA;
            EXPECT_EQ((item.type & MFT_RADIOCHECK) != 0, appearance) << item.text;
            radios += appearance;
        }
        EXPECT_EQ(radios, 9) << "language " << language;

        // The frame marks the current appearance with CheckMenuRadioItem on the loaded menu.
        HMENU appearance = ItemsOf(ItemsOf(menu.get())[2].popup)[5].popup;
        ASSERT_TRUE(appearance);
        EXPECT_TRUE(CheckMenuRadioItem(appearance, ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_VS_2005,
                                       ID_VIEW_APPLOOK_VS_2005, MF_BYCOMMAND));
        EXPECT_EQ(GetMenuState(appearance, ID_VIEW_APPLOOK_VS_2005, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
        EXPECT_EQ(GetMenuState(appearance, ID_VIEW_APPLOOK_WIN_2000, MF_BYCOMMAND) & MF_CHECKED, 0u);
    }
}

// ---------------------------------------------------------------- context menu of the result lists

TEST(UiResources, ContextMenusOfTheListsAndTheTreeHoldTheirCommands)
{
    const std::vector<UINT> list{ID_EDIT_COPY, ID_COPY_CELL, ID_COPY_LINE, 0, ID_EDIT_SELECT_ALL, 0,
                                 ID_EDIT_FIND, ID_FILE_SAVE_CSV};
    const std::vector<UINT> tree{ID_CHECK_RUN, 0, ID_FILE_SAVE_TEXT, ID_FILE_SAVE_CSV, 0, ID_STANDARD_SHEET};
    for (LANGID language : {kEnglish, kJapanese}) {
        for (auto [id, commands] : {std::pair{IDR_POPUP_EDIT, list}, std::pair{IDR_POPUP_TREE, tree}}) {
            Menu menu = LoadMenuInLanguage(id, language);
            ASSERT_TRUE(menu) << "language " << language;
            ASSERT_EQ(GetMenuItemCount(menu.get()), 1);
            std::vector<MenuItem> items = ItemsOf(GetSubMenu(menu.get(), 0));
            EXPECT_EQ(CommandIds(items), commands);
            for (const MenuItem& item : items)
                EXPECT_TRUE(item.Separator() || (!item.text.empty() && FitsCodePage932(item.text))) << item.text;
        }
    }
}

// ---------------------------------------------------------------- accelerators

namespace {

struct Binding {
    BYTE modifiers;  // FCONTROL, FSHIFT
    WORD key;
    WORD command;
};

const std::vector<Binding> kBindings{
    {FCONTROL, 'C', ID_EDIT_COPY}, {FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {FCONTROL, 'V', ID_EDIT_PASTE},     {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {FCONTROL, 'F', ID_EDIT_FIND},      {FCONTROL, 'S', ID_FILE_SAVE_TEXT},
    {FCONTROL, 'A', ID_FILE_SAVE_CSV},  {FCONTROL, 'R', ID_CHECK_RUN},
    {FCONTROL, 'T', ID_CHECK_STOP},     {0, VK_F5, ID_CHECK_RUN},
    {0, VK_F1, ID_HELP},
    {FSHIFT, VK_F1, ID_CONTEXT_HELP},
};

struct AcceleratorDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};

std::vector<ACCEL> AcceleratorEntries(HACCEL table)
{
    std::vector<ACCEL> entries(CopyAcceleratorTableW(table, nullptr, 0));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

LRESULT CALLBACK CommandSink(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        auto* received = reinterpret_cast<std::vector<WORD>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        received->push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Presses `key` with the given modifiers (as far as GetKeyState can tell) and lets the
// table translate it for `window`; returns the commands the window received.
std::vector<WORD> Translate(HWND window, HACCEL table, BYTE modifiers, WORD key)
{
    std::vector<WORD> received;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = (modifiers & FCONTROL) ? 0x80 : 0;
    state[VK_SHIFT] = state[VK_LSHIFT] = (modifiers & FSHIFT) ? 0x80 : 0;
    state[key] = 0x80;
    SetKeyboardState(state);
    MSG message{window, WM_KEYDOWN, key, 1};
    TranslateAcceleratorW(window, table, &message);
    BYTE released[256] = {};
    SetKeyboardState(released);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return received;
}

}  // namespace

TEST(UiResources, AcceleratorTableHoldsExactlyTheDesignedKeys)
{
    std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter> table(
        LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ASSERT_TRUE(table);
    std::set<std::tuple<int, int, int>> actual, expected;
    for (const ACCEL& entry : AcceleratorEntries(table.get()))
        actual.insert({entry.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), entry.key, entry.cmd});
    for (const Binding& binding : kBindings)
        expected.insert({FVIRTKEY | binding.modifiers, binding.key, binding.command});
    EXPECT_EQ(actual, expected);
}

TEST(UiResources, AcceleratorsTranslateTheirKeysAndOnlyThose)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CommandSink;
    windowClass.hInstance = Module();
    windowClass.lpszClassName = L"MirelAcceleratorSink";
    RegisterClassW(&windowClass);
    Window window(CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, Module(), nullptr));
    ASSERT_TRUE(window);
    std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter> table(
        LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ASSERT_TRUE(table);

    for (const Binding& binding : kBindings) {
        EXPECT_EQ(Translate(window.get(), table.get(), binding.modifiers, binding.key),
                  std::vector<WORD>{binding.command})
            << "key " << binding.key << " modifiers " << int(binding.modifiers);
    }
    // Plain letters and the Insert key alone must reach the computer-name field untranslated.
    for (WORD key : {WORD('C'), WORD('V'), WORD('R'), WORD('T'), WORD(VK_INSERT)})
        EXPECT_TRUE(Translate(window.get(), table.get(), 0, key).empty()) << "key " << key;
    EXPECT_TRUE(Translate(window.get(), table.get(), FSHIFT, 'R').empty());
}

TEST(UiResources, KeyNamesShownInTheMenusMatchTheAcceleratorTable)
{
    std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter> table(
        LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ASSERT_TRUE(table);
    std::vector<ACCEL> entries = AcceleratorEntries(table.get());
    for (LANGID language : {kEnglish, kJapanese}) {
        Menu menu = LoadMenuInLanguage(IDR_MAINFRAME, language);
        ASSERT_TRUE(menu);
        int shown = 0;
        for (const MenuItem& item : AllItems(menu.get())) {
            std::wstring keys = AcceleratorText(item.text);
            if (keys.empty() || keys == L"Alt+F4")  // Alt+F4 is the system's close key
                continue;
            // "Ctrl+<letter>", or F1 of Help Topics, which the table binds to ID_HELP: both
            // open the same help.
            const bool control = keys.size() == 6 && keys.substr(0, 5) == L"Ctrl+";
            ASSERT_TRUE(control || (keys == L"F1" && item.id == ID_HELP_FINDER)) << item.text;
            const BYTE modifiers = control ? (FVIRTKEY | FCONTROL) : FVIRTKEY;
            const WORD key = control ? keys[5] : VK_F1;
            const WORD command = control ? static_cast<WORD>(item.id) : ID_HELP;
            bool bound = false;
            for (const ACCEL& entry : entries)
                bound |= (entry.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT)) == modifiers && entry.key == key &&
                         entry.cmd == command;
            EXPECT_TRUE(bound) << "language " << language << ": " << item.text;
            ++shown;
        }
        EXPECT_EQ(shown, 8) << "language " << language;
    }
}

// ---------------------------------------------------------------- version information

namespace {

std::wstring VersionString(const std::vector<BYTE>& block, const std::wstring& translation, const wchar_t* name)
{
    std::wstring path = L"\\StringFileInfo\\" + translation + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value)
        return L"(missing)";
    return static_cast<const WCHAR*>(value);
}

}  // namespace

TEST(UiResources, VersionInformationNamesProgramVersionAndRightsHolder)
{
    WCHAR path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    ASSERT_NE(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});

    WORD* translations = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                               &length));
    ASSERT_EQ(length, 8u);
    EXPECT_EQ(std::vector<WORD>(translations, translations + 4), (std::vector<WORD>{0x0409, 1200, 0x0411, 1200}));

    for (const wchar_t* translation : {L"040904b0", L"041104b0"}) {
        EXPECT_EQ(VersionString(block, translation, L"CompanyName"), L"Tollbrook");
        EXPECT_EQ(VersionString(block, translation, L"FileDescription"), L"Mirel - Windows resource reporter");
        EXPECT_EQ(VersionString(block, translation, L"ProductName"), L"Mirel");
        EXPECT_EQ(VersionString(block, translation, L"LegalCopyright"), L"Copyright (C) 2026 Tollbrook");
        EXPECT_EQ(VersionString(block, translation, L"OriginalFilename"), L"mirel.exe");
        EXPECT_EQ(VersionString(block, translation, L"FileVersion"), L"1.0.0.0");
    }
}

// ---------------------------------------------------------------- language chosen by the system

TEST(UiResourcesInUserLanguage, LoadMenuPicksTheUserInterfaceLanguage)
{
    LANGID expected = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapanese : kEnglish;
    Menu loaded(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    Menu reference = LoadMenuInLanguage(IDR_MAINFRAME, expected);
    ASSERT_TRUE(loaded && reference);
    EXPECT_EQ(Outline(loaded.get(), true), Outline(reference.get(), true)) << "language " << expected;

    Menu context(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_POPUP_EDIT)));
    Menu contextReference = LoadMenuInLanguage(IDR_POPUP_EDIT, expected);
    ASSERT_TRUE(context && contextReference);
    EXPECT_EQ(Outline(context.get(), true), Outline(contextReference.get(), true));
}
