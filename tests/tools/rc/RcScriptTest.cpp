#include "tools/rc/RcScript.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "#pragma once\n"
                            "constexpr unsigned IDD_A = 100;\n"
                            "constexpr unsigned IDD_B = 104;\n"
                            "#define IDC_X 10\n"
                            "enum : unsigned {\n    IDC_Y = 11,\n    IDS_UNO = 500,\n};\n";

rc::Script ParseText(const std::string& script, const std::string& header = kHeader) {
    const rc::FileReader read = [&](const std::string& path) -> std::optional<std::string> {
        if (path == "test.rc")
            return script;
        if (path == "root/ids.h")
            return header;
        return std::nullopt;
    };
    return rc::Parse("test.rc", "root", read);
}

const std::string kPrologue = "#include \"ids.h\"\nSTRINGTABLE BEGIN IDS_UNO \"uno\" END\n"; // lines 1-2
const std::string kB = "IDD_B DIALOG 0, 0, 138, 167 BEGIN END\n";                            // line 3

TEST(RcScript, ReadsControlsWithTheirDefaultsAndDerivesTheOtherVariants) {
    const std::string corpo =
        "CAPTION \"Prova \"\"A\"\"\\r\\nè\"\n"
        "BEGIN\n"
        "  LTEXT \"Nome :\", IDC_STATIC, 2, 4, 40, 10\n"
        "  EDITTEXT IDC_X, 44, 2, 80, 12, ES_READONLY | NOT WS_TABSTOP\n"
        "  COMBOBOX IDC_Y, 44, 20, 80, 200, CBS_DROPDOWN\n"
        "  AUTORADIOBUTTON \"R\", 12, 2, 40, 30, 10, WS_GROUP | WS_DISABLED\n"
        "  CONTROL \"C\", 13, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 40, 40, 30, 10\n"
        "  CONTROL \"\", 14, \"CEGridCtrl\", NOT WS_VISIBLE, 2, 60, 134, 80\n";
    // Variant 1 is given in the script, with its button elsewhere.
    const auto s = ParseText(kPrologue + kB + "IDD_A DIALOG 0, 0, 138, 167\n" + corpo +
                             "  PUSHBUTTON \"OK\", IDOK, 2, 148, 64, 16\nEND\n"
                             "IDD_A + 1 DIALOG 0, 0, 138, 217\n" +
                             corpo + "  PUSHBUTTON \"OK\", IDOK, 2, 1, 64, 16\nEND\n");
    ASSERT_EQ(s.sets.size(), 2u);
    const auto& set = s.sets[1];
    const rc::Dialog& a = set.variants[0];
    EXPECT_EQ(a.caption, U"Prova \"A\"\r\nè");
    const std::vector<std::pair<std::string, std::uint32_t>> kinds = {
        {"Static", 0x50020000},   {"Edit", 0x50800800}, {"ComboEdit", 0x50010002}, {"Radio", 0x58020009},
        {"CheckBox", 0x50010003}, {"Grid", 0x40000000}, {"Button", 0x50010000}};
    ASSERT_EQ(a.controls.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(a.controls[i].kind, kinds[i].first) << i;
        EXPECT_EQ(a.controls[i].style, kinds[i].second) << i;
    }
    EXPECT_EQ(a.controls[0].id, 0xFFFFu);
    EXPECT_EQ(a.controls[6].id, 1u);
    // Variant 1 is the script's own; 2 and 3 scale every corner: (2,148)-(66,164) on 179 x 120 and
    // 229 x 120 is (3,106)-(86,118) and (3,106)-(110,118).
    EXPECT_TRUE(set.explicitVariant[1]);
    EXPECT_EQ(set.variants[1].controls[6].rect, (rc::Rect{2, 1, 64, 16}));
    EXPECT_EQ(set.variants[2].id, 102u);
    EXPECT_EQ(set.variants[2].cx, 179);
    EXPECT_EQ(set.variants[2].controls[6].rect, (rc::Rect{3, 106, 83, 12}));
    EXPECT_EQ(set.variants[3].controls[6].rect, (rc::Rect{3, 106, 107, 12}));
    EXPECT_EQ(s.strings.at(0).text, U"uno");
}

// Every fault names the file, the line and the reason, so that a typo fails the build.
TEST(RcScript, RefusesWhatItDoesNotUnderstand) {
    const std::string a = "IDD_A DIALOG 0, 0, 138, 167\nBEGIN\n"; // lines 4-5
    struct Case {
        std::string body;
        int line;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {a + "  EDITTEXT IDC_X, 2, 2, 40, 12, WS_FOO\nEND\n", 6, "unknown style WS_FOO"},
        {a + "  EDITTEXT IDC_X, 2, 2, 40, 12, CBS_SORT\nEND\n", 6,
         "CBS_SORT does not belong to this control"},
        {a + "  COMBOBOX IDC_X, 2, 2, 40, 12\nEND\n", 6,
         "a combo box must be CBS_DROPDOWNLIST or CBS_DROPDOWN"},
        {a + "  EDITTEXT IDC_X, 2, 2, 40, 12\n  EDITTEXT IDC_X, 2, 20, 40, 12\nEND\n", 7,
         "control 10 appears twice in the dialog"},
        {a + "  EDITTEXT IDC_X, 100, 2, 40, 12\nEND\n", 6, "control 10 lies outside the dialog (138 x 167)"},
        {a + "  EDITTEXT IDC_Z, 2, 2, 40, 12\nEND\n", 6, "unknown symbol IDC_Z"},
        {a + "  SCROLLBAR IDC_X, 2, 2, 40, 12\nEND\n", 6, "control statement SCROLLBAR is not understood"},
        {a + "  CONTROL \"\", IDC_X, \"Slider\", 0, 2, 2, 40, 12\nEND\n", 6,
         "unknown control class \"Slider\""},
        {a + "  EDITTEXT IDC_X 2, 2, 40, 12\nEND\n", 6,
         "expected ',' before the control's position, found 2"},
        {a + "  EDITTEXT IDC_X, 2, 2, 40, 12\n", 7, "dialog without END"},
        {a + "  LTEXT \"aperto, IDC_X, 2, 2, 40, 12\nEND\n", 6, "text without its closing quote"},
        {a + "  LTEXT \"a\\q\", IDC_X, 2, 2, 40, 12\nEND\n", 6, "unknown escape \\q in a text"},
        {a + "  LTEXT \"\xC3\x28\", IDC_X, 2, 2, 40, 12\nEND\n", 6, "a text is not valid UTF-8"},
        {a + "  EDITTEXT IDC_STATIC, 2, 2, 40, 12\nEND\n", 6,
         "only labels and group boxes may use IDC_STATIC"},
        {"#ifdef X\n", 4, "directive not understood: #ifdef X"},
        {"#pragma code_page(1252)\n", 4, "the script must be UTF-8: code_page(65001)"},
        {"#include \"manca.h\"\n", 4, "cannot read the header manca.h"},
        {"IDD_A MENU\n", 4, "only DIALOG, DIALOGEX and STRINGTABLE resources are understood, found MENU"},
        {"IDD_A DIALOG 0, 0, 0, 167 BEGIN END\n", 4, "the dialog's size must be between 1 and 1000"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN END\n102 DIALOG 0, 0, 138, 167 BEGIN END\n", 5,
         "template set 102 to 105 overlaps set 100 to 103"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN END\nIDD_A + 2 DIALOG 0, 0, 179, 120 BEGIN\n"
         "  EDITTEXT IDC_X, 2, 2, 40, 12\nEND\n",
         6, "variant 2 of IDD_A has control 10 that its first template lacks"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN EDITTEXT IDC_X, 2, 2, 40, 12 END\n"
         "IDD_A + 2 DIALOG 0, 0, 179, 120 BEGIN EDITTEXT IDC_Y, 2, 2, 40, 12 END\n",
         5, "variant 2 of IDD_A: control 1 is 11 Edit, in the first template 10 Edit"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN END\nIDD_A + 1 DIALOG 0, 0, 1, 1 BEGIN END\n"
         "IDD_A + 1 DIALOG 0, 0, 1, 1 BEGIN END\n",
         6, "variant 1 of IDD_A is given twice"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN END\nIDD_X + 1 DIALOG 0, 0, 1, 1 BEGIN END\n", 5,
         "unknown symbol IDD_X"},
        {"IDD_A DIALOG 0, 0, 138, 167 BEGIN END\nIDC_Y + 1 DIALOG 0, 0, 1, 1 BEGIN END\n", 5,
         "IDC_Y has no first template in the script"},
        {"STRINGTABLE BEGIN IDS_UNO \"due\" END\n", 4, "string 500 is defined twice"},
    };
    for (const Case& c : cases) {
        try {
            ParseText(kPrologue + kB + c.body);
            ADD_FAILURE() << "accepted: " << c.body;
        } catch (const rc::Error& e) {
            EXPECT_EQ(e.File(), "test.rc") << c.body;
            EXPECT_EQ(e.Line(), c.line) << c.body;
            EXPECT_EQ(e.Reason(), c.reason) << c.body;
        }
    }
}

// A dialog or string that the module's headers declare and the script lacks fails at the header.
TEST(RcScript, DeclaredTemplatesAndStringsMustExist) {
    try {
        ParseText("#include \"ids.h\"\nIDD_A DIALOG 0, 0, 138, 167 BEGIN END\n" + kB);
        ADD_FAILURE() << "accepted a header string without text";
    } catch (const rc::Error& e) {
        EXPECT_EQ(std::string(e.what()), "ids.h:7: error: IDS_UNO (500) has no text in the script");
    }
    try {
        ParseText(kPrologue + "IDD_A DIALOG 0, 0, 138, 167 BEGIN END\n");
        ADD_FAILURE() << "accepted a header dialog without template";
    } catch (const rc::Error& e) {
        EXPECT_EQ(std::string(e.what()), "ids.h:3: error: IDD_B (104) has no template in the script");
    }
}

} // namespace
