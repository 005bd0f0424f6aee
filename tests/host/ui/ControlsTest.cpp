// Controls, grids, bitmaps and the handler table, driven from code.
#include "host/core/HostContext.h"
#include "host/core/Windows.h"
#include "host/ui/Driver.h"
#include "host/ui/Window.h"
#include "resources/ModuleResources.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>

using host::ui::ScriptedUi;
using testing::HasSubstr;

namespace {

constexpr DWORD V = WS_VISIBLE;
const ControlTemplate kControlli[] = {
    {10, ControlKind::ComboList, u"", V | CBS_SORT, {}},
    {11, ControlKind::ComboEdit, u"", V, {}},
    {12, ControlKind::ListBox, u"", V, {}},
    {20, ControlKind::Radio, u"A", V | WS_GROUP, {}},
    {21, ControlKind::Radio, u"B", V, {}},
    {22, ControlKind::Radio, u"C", V | WS_GROUP, {}},
    {23, ControlKind::Radio, u"D", V, {}},
    {30, ControlKind::Edit, u"", V, {}},
    {31, ControlKind::Button, u"Conta", V, {}},
    {40, ControlKind::Grid, u"", V, {0, 0, 100, 60}},
};
const DialogTemplate kDialogo = {7000, u"Controlli", 138, 167, kControlli, std::size(kControlli)};
const DialogTemplate* const kDialoghi[] = {&kDialogo};

// A dialog whose initialisation and handlers are given by the test.
class CDlgControlli : public CExDialog {
public:
    CDlgControlli() : CExDialog(7000, nullptr) {}
    std::function<void(CDlgControlli&)> init;
    int changes = 0;
    int conta = 0;
    std::vector<std::string> edits;
    BOOL OnInitDialog() override {
        CExDialog::OnInitDialog();
        if (init)
            init(*this);
        return TRUE;
    }

protected:
    void OnChange() { ++changes; }
    virtual void OnConta() { ++conta; }
    void OnEdit(NMHDR* nm, LRESULT*) {
        auto* g = reinterpret_cast<NM_GRIDVIEW*>(nm);
        edits.push_back(std::to_string(g->iRow) + "," + std::to_string(g->iColumn));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlgControlli, CExDialog)
ON_EN_CHANGE(30, OnChange)
ON_BN_CLICKED(31, OnConta)
ON_NOTIFY(GVN_ENDLABELEDIT, 41, OnEdit)
END_MESSAGE_MAP()

// A derived class with a table of its own: what it does not map, the base's table handles.
class CDlgDerivato : public CDlgControlli {
public:
    int doppio = 0;

protected:
    void OnConta() override { doppio += 2; }
    void OnRadio(UINT id) { radios.push_back(id); }
    DECLARE_MESSAGE_MAP()

public:
    std::vector<UINT> radios;
};

BEGIN_MESSAGE_MAP(CDlgDerivato, CDlgControlli)
ON_CONTROL_RANGE(BN_CLICKED, 20, 23, OnRadio)
END_MESSAGE_MAP()

class Controls : public testing::Test {
protected:
    void SetUp() override {
        host::SetFolders({"samples/demo", "samples/demo", ""});
        table.dialogs = kDialoghi;
        table.dialogCount = 1;
        module.resources = &table;
        InitExtensionModule(record, &module);
        link = std::make_unique<CDynLinkLibrary>(record);
    }
    void TearDown() override {
        link.reset();
        TermExtensionModule(record);
    }
    ResourceTable table{};
    HostModule module;
    EXTENSION_MODULE record;
    std::unique_ptr<CDynLinkLibrary> link;
};

} // namespace

TEST_F(Controls, CombosAndListsKeepOrderDataAndSelection) {
    ScriptedUi ui;
    ui.Close();
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        auto* sorted = static_cast<CComboBox*>(d.GetDlgItem(10));
        for (const char16_t* s : {u"Torino", u"asti", u"Milano", u"Alessandria"})
            sorted->SetItemData(sorted->AddString(s), s[0]);
        EXPECT_EQ(sorted->GetLBText(0), u"Alessandria");
        EXPECT_EQ(sorted->GetLBText(1), u"asti");
        EXPECT_EQ(sorted->GetItemData(3), std::uintptr_t{u'T'});
        // Prefix selection ignores case, searches after start and wraps.
        EXPECT_EQ(sorted->SelectString(-1, u"A"), 0);
        EXPECT_EQ(sorted->SelectString(0, u"a"), 1);
        EXPECT_EQ(sorted->SelectString(1, u"a"), 0);
        EXPECT_EQ(sorted->SelectString(-1, u"Roma"), CB_ERR);
        EXPECT_EQ(sorted->GetCurSel(), 0); // a failed search keeps the selection
        EXPECT_EQ(sorted->FindStringExact(-1, u"MILANO"), 2);
        EXPECT_EQ(sorted->FindStringExact(-1, u"Mil"), CB_ERR);
        sorted->SetCurSel(2);
        sorted->DeleteString(0);
        EXPECT_EQ(sorted->GetCurSel(), 1);
        EXPECT_EQ(sorted->GetWindowText(), u"Milano");
        EXPECT_EQ(sorted->SetCurSel(9), CB_ERR);
        EXPECT_EQ(sorted->GetCurSel(), -1);
        auto* editable = static_cast<CComboBox*>(d.GetDlgItem(11));
        editable->InsertString(0, u"b");
        editable->InsertString(0, u"a"); // unsorted: where it is put
        editable->SetCurSel(1);
        EXPECT_EQ(editable->GetWindowText(), u"b");
        auto* list = static_cast<CListBox*>(d.GetDlgItem(12));
        list->AddString(u"x");
        EXPECT_EQ(list->GetItemData(5), static_cast<std::uintptr_t>(LB_ERR));
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Controls, RadiosAreExclusiveWithinTheirGroupOnly) {
    ScriptedUi ui;
    ui.Choose(21).Choose(23).Choose(20).Show().Close();
    CDlgDerivato dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    const std::string t = ui.TranscriptText();
    EXPECT_THAT(t, HasSubstr("  20    radio      \"A\" (o)\n  21    radio      \"B\" ( )\n"
                             "  22    radio      \"C\" ( )\n  23    radio      \"D\" (o)\n"));
    EXPECT_EQ(dlg.radios, (std::vector<UINT>{21, 23, 20}));
}

TEST_F(Controls, HandlerTablesChainToTheBaseClass) {
    ScriptedUi ui;
    ui.Click(31).Type(30, u"x").Close();
    CDlgDerivato dlg;
    dlg.init = [](CDlgControlli& d) {
        // Text set from code is reported as a change too, as the platform's edit does.
        d.SetDlgItemText(30, u"iniziale");
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.doppio, 2); // the virtual override runs through the base's entry
    EXPECT_EQ(dlg.conta, 0);
    EXPECT_EQ(dlg.changes, 2);
}

TEST_F(Controls, GridRowsSelectionChecksAndImages) {
    ScriptedUi ui;
    ui.Close();
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        auto* g = static_cast<CCEGridCtrl*>(d.GetDlgItem(40));
        g->SetFixedRowCount(1);
        EXPECT_EQ(g->InsertColumn(u"N."), 0);
        EXPECT_EQ(g->InsertColumn(u"Nome"), 1);
        EXPECT_EQ(g->InsertColumn(u"Sel.", DT_LEFT, 1), 1); // before Nome
        for (int i = 1; i <= 4; ++i) {
            const int row = g->InsertRow(u"");
            g->SetItemText(row, 2, WString::Formatted(u"P%d", i));
            g->SetRowData(row, i * 100);
            g->SetCheck(row, 1, i % 2);
        }
        EXPECT_EQ(g->GetItemText(0, 2), u"Nome");
        EXPECT_EQ(g->GetItemText(0, 1), u"Sel.");
        g->SetSelectedRow(3);
        EXPECT_TRUE(g->DeleteRow(1));
        EXPECT_EQ(g->GetSelectedRow(), 2); // follows its row
        EXPECT_EQ(g->GetItemText(2, 2), u"P3");
        EXPECT_EQ(g->GetRowData(2), 300);
        EXPECT_TRUE(g->GetCheck(2, 1));
        EXPECT_FALSE(g->GetCheck(2, 2)); // not a check-box cell
        EXPECT_FALSE(g->SetItemText(9, 0, u"x"));
        EXPECT_EQ(g->GetItemText(9, 0), u"");
        g->SetItemImage(2, 0, 1);
        g->SetColumnWidth(2, 5);
        g->AutoSizeColumns();
        EXPECT_GT(g->GetColumnWidth(2), 5);
        g->DeleteRow(2);
        EXPECT_EQ(g->GetSelectedRow(), -1);
        EXPECT_TRUE(g->DeleteNonFixedRows());
        EXPECT_EQ(g->GetRowCount(), 1);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Controls, EditableGridNumbersRowsAndKeepsAnEmptyLastRow) {
    ScriptedUi ui;
    ui.Edit(40, 1, 1, u"A").Edit(40, 2, 1, u"B").Edit(40, 1, 1, u"").Show(40).Edit(40, 1, 0, u"x").Close();
    CDlgControlli dlg;
    CCEMSGridCtrl griglia;
    dlg.init = [&](CDlgControlli& d) {
        CRect rect;
        d.GetDlgItem(40)->GetWindowRect(&rect);
        d.GetDlgItem(40)->ShowWindow(SW_HIDE);
        ASSERT_TRUE(griglia.Create(rect, &d, 41));
        griglia.SetFixedRowCount(1);
        griglia.InsertColumn(u"N.");
        griglia.InsertColumn(u"Nome");
        griglia.SetEditable();
        griglia.SetAutoNumber();
        griglia.SetAutoAddRow();
        EXPECT_EQ(griglia.GetRowCount(), 2);
    };
    // The grid of the template stays hidden; edits go to the one made in code.
    EXPECT_THROW(dlg.DoModal(), host::ui::ScriptError);
    ScriptedUi ui2;
    ui2.Edit(41, 1, 1, u"A").Edit(41, 2, 1, u"B").Show(41).Edit(41, 1, 0, u"x");
    try {
        dlg.DoModal();
        ADD_FAILURE();
    } catch (const host::ui::ScriptError& e) {
        EXPECT_THAT(e.what(), HasSubstr("grid 41 has no editable cell 1 0"));
    }
    EXPECT_EQ(dlg.edits, (std::vector<std::string>{"1,1", "2,1"}));
    EXPECT_THAT(ui2.TranscriptText(), HasSubstr("  41    grid       4 rows (1 fixed), 2 columns\n"
                                                "          0 | N. | Nome\n          1 | 1  | A\n"
                                                "          2 | 2  | B\n          3 | 3\n"));
    EXPECT_FALSE(griglia.IsWindow()); // the window went with the dialog
}

TEST_F(Controls, SupportBitmapsLoadAsImageStrips) {
    const struct {
        const char16_t* name;
        int size;
        int images;
    } cases[] = {{u"Esiti.bmp", 16, 2}, {u"IconaModifica.bmp", 16, 2}, {u"GPSAcquisCADButtons.bmp", 23, 21}};
    for (const auto& c : cases) {
        std::unique_ptr<CBitmap> bmp(LoadASupportBmp(c.name));
        ASSERT_NE(bmp, nullptr) << WString(c.name).ToUtf8();
        EXPECT_EQ(bmp->GetHeight(), c.size);
        CImageList list;
        ASSERT_TRUE(list.Create(c.size, c.size, ILC_COLOR | ILC_MASK, 2, 2));
        EXPECT_EQ(list.Add(bmp.get(), RGB(255, 255, 255)), 0);
        EXPECT_EQ(list.GetImageCount(), c.images);
    }
    // "Esiti.bmp": image 0 green (in tolerance), image 1 red (out of tolerance).
    std::unique_ptr<CBitmap> esiti(LoadASupportBmp(u"ESITI.BMP"));
    ASSERT_NE(esiti, nullptr);
    int green = 0, red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const COLORREF c = esiti->GetPixel(x, y);
            green += (x < 16 && c == RGB(0, 160, 0));
            red += (x >= 16 && c == RGB(220, 0, 0));
        }
    EXPECT_GT(green, 10);
    EXPECT_GT(red, 10);
    EXPECT_EQ(LoadASupportBmp(u"Manca.bmp"), nullptr);
    // A damaged file is refused, not read past its end.
    const auto dir = std::filesystem::temp_directory_path() / "pregeo-ui-bmp";
    std::filesystem::create_directories(dir / "Support");
    std::ifstream in("samples/demo/Support/Esiti.bmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(dir / "Support" / "Corto.bmp", std::ios::binary) << bytes.substr(0, 300);
    const auto scrivi = [&](const char* name, std::string b) {
        std::ofstream(dir / "Support" / name, std::ios::binary) << b;
    };
    std::string header = bytes;
    header.replace(14, 4, std::string("\xf0\xff\xff\x7f", 4)); // a header larger than the file
    scrivi("Testata.bmp", header);
    // 8 bits with 2^30 colours: the palette's size must not wrap to nothing and let pixels index past the
    // end of a short file.
    std::string colori = bytes.substr(0, 54 + 32 * 16);
    colori[28] = 8;
    colori.replace(46, 4, std::string("\0\0\0\x40", 4));
    scrivi("Colori.bmp", colori);
    bytes[28] = 7; // bits per pixel
    scrivi("Strano.bmp", bytes);
    std::filesystem::create_directories(dir / "Support" / "Cartella.bmp");
    host::SetFolders({dir, dir, ""});
    for (const char16_t* name : {u"Corto.bmp", u"Strano.bmp", u"Testata.bmp", u"Colori.bmp", u"Cartella.bmp"})
        EXPECT_EQ(LoadASupportBmp(name), nullptr) << WString(name).ToUtf8();
    std::filesystem::remove_all(dir);
}

// Every dialog of the module comes as four consecutive templates with the same controls.
TEST(ModuleTemplates, EverySetHasFourVariantsWithTheSameControls) {
    std::size_t count = 0;
    const DialogTemplate* const* dialogs = ModuleDialogs(count);
    std::map<UINT, const DialogTemplate*> byId;
    for (std::size_t i = 0; i < count; ++i) {
        ASSERT_NE(dialogs[i], nullptr);
        EXPECT_TRUE(byId.emplace(dialogs[i]->id, dialogs[i]).second)
            << "template " << dialogs[i]->id << " twice";
    }
    for (const auto& [id, first] : byId) {
        if (byId.count(id - 1))
            continue; // not the first of its set
        for (UINT v = 1; v < 4; ++v) {
            auto it = byId.find(id + v);
            ASSERT_NE(it, byId.end()) << "template " << id + v << " missing";
            const DialogTemplate* other = it->second;
            ASSERT_EQ(other->controlCount, first->controlCount) << other->id;
            for (std::size_t c = 0; c < first->controlCount; ++c) {
                EXPECT_EQ(other->controls[c].id, first->controls[c].id) << other->id;
                EXPECT_EQ(other->controls[c].kind, first->controls[c].kind) << other->id;
            }
        }
    }
}
