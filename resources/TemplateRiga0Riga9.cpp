// Templates of the header row editor "Riga 0" (dialog and its pages "Archivio" and "Tecnico") and of the
// row 9 editor "Riga 9": four screen variants each, the same controls in the same order.
#include "resources/TemplateRiga0Riga9.h"

#include "resources/IdRiga0Riga9.h"

#include <iterator>

namespace {

constexpr DWORD V = WS_VISIBLE | WS_CHILD;

const ControlTemplate kRiga0v0[] = {
    {IDC_RIGA0_TAB, ControlKind::Tab, u"", V | WS_TABSTOP, {2, 2, 136, 16}},
    {IDC_RIGA0_CORNICE, ControlKind::Static, u"Riga 0 Subpage frame", WS_CHILD, {2, 18, 136, 144}},
    {IDC_RIGA0_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {2, 148, 66, 164}},
    {IDC_RIGA0_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {72, 148, 136, 164}},
};

const ControlTemplate kRiga0v1[] = {
    {IDC_RIGA0_TAB, ControlKind::Tab, u"", V | WS_TABSTOP, {2, 3, 136, 21}},
    {IDC_RIGA0_CORNICE, ControlKind::Static, u"Riga 0 Subpage frame", WS_CHILD, {2, 23, 136, 187}},
    {IDC_RIGA0_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {2, 192, 66, 213}},
    {IDC_RIGA0_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {72, 192, 136, 213}},
};

const ControlTemplate kRiga0v2[] = {
    {IDC_RIGA0_TAB, ControlKind::Tab, u"", V | WS_TABSTOP, {3, 1, 176, 11}},
    {IDC_RIGA0_CORNICE, ControlKind::Static, u"Riga 0 Subpage frame", WS_CHILD, {3, 13, 176, 103}},
    {IDC_RIGA0_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {3, 106, 86, 118}},
    {IDC_RIGA0_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {93, 106, 176, 118}},
};

const ControlTemplate kRiga0v3[] = {
    {IDC_RIGA0_TAB, ControlKind::Tab, u"", V | WS_TABSTOP, {3, 1, 226, 11}},
    {IDC_RIGA0_CORNICE, ControlKind::Static, u"Riga 0 Subpage frame", WS_CHILD, {3, 13, 226, 103}},
    {IDC_RIGA0_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {3, 106, 110, 118}},
    {IDC_RIGA0_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {119, 106, 226, 118}},
};

} // namespace

const DialogTemplate kDlgRiga0[4] = {
    {12120, u"Riga 0", 138, 167, kRiga0v0, std::size(kRiga0v0)},
    {12121, u"Riga 0", 138, 217, kRiga0v1, std::size(kRiga0v1)}, // taller
    {12122, u"Riga 0", 179, 120, kRiga0v2, std::size(kRiga0v2)}, // landscape
    {12123, u"Riga 0", 229, 120, kRiga0v3, std::size(kRiga0v3)}, // wide landscape
};

namespace {

const ControlTemplate kRiga0Archiviov0[] = {
    {3124, ControlKind::Static, u"Tipo :", V, {2, 4, 44, 14}},
    {IDC_ARCH_TIPO, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 2, 132, 60}},
    {3125, ControlKind::Static, u"Data :", V, {2, 18, 44, 28}},
    {IDC_ARCH_GIORNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 16, 64, 28}},
    {3126, ControlKind::Static, u"/", V, {65, 18, 69, 28}},
    {IDC_ARCH_MESE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {70, 16, 88, 28}},
    {3127, ControlKind::Static, u"/", V, {89, 18, 93, 28}},
    {IDC_ARCH_ANNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {94, 16, 124, 28}},
    {3128, ControlKind::Static, u"Protocollo :", V, {2, 32, 44, 42}},
    {IDC_ARCH_PROTOCOLLO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 30, 132, 42}},
    {3129, ControlKind::Static, u"Provincia :", V, {2, 46, 44, 56}},
    {IDC_ARCH_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 44, 132, 120}},
    {3130, ControlKind::Static, u"Comune :", V, {2, 60, 44, 70}},
    {IDC_ARCH_COMUNE, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 58, 132, 120}},
    {3131, ControlKind::Static, u"Foglio :", V, {2, 74, 44, 84}},
    {IDC_ARCH_FOGLIO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 72, 132, 84}},
    {3132, ControlKind::Static, u"Mappale :", V, {2, 88, 44, 98}},
    {IDC_ARCH_MAPPALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 86, 132, 98}},
};

const ControlTemplate kRiga0Archiviov1[] = {
    {3124, ControlKind::Static, u"Tipo :", V, {2, 5, 44, 18}},
    {IDC_ARCH_TIPO, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 3, 132, 78}},
    {3125, ControlKind::Static, u"Data :", V, {2, 23, 44, 36}},
    {IDC_ARCH_GIORNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 21, 64, 36}},
    {3126, ControlKind::Static, u"/", V, {65, 23, 69, 36}},
    {IDC_ARCH_MESE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {70, 21, 88, 36}},
    {3127, ControlKind::Static, u"/", V, {89, 23, 93, 36}},
    {IDC_ARCH_ANNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {94, 21, 124, 36}},
    {3128, ControlKind::Static, u"Protocollo :", V, {2, 42, 44, 55}},
    {IDC_ARCH_PROTOCOLLO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 39, 132, 55}},
    {3129, ControlKind::Static, u"Provincia :", V, {2, 60, 44, 73}},
    {IDC_ARCH_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 57, 132, 156}},
    {3130, ControlKind::Static, u"Comune :", V, {2, 78, 44, 91}},
    {IDC_ARCH_COMUNE, ControlKind::ComboList, u"", V | WS_TABSTOP, {46, 75, 132, 156}},
    {3131, ControlKind::Static, u"Foglio :", V, {2, 96, 44, 109}},
    {IDC_ARCH_FOGLIO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 94, 132, 109}},
    {3132, ControlKind::Static, u"Mappale :", V, {2, 115, 44, 128}},
    {IDC_ARCH_MAPPALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {46, 112, 132, 128}},
};

const ControlTemplate kRiga0Archiviov2[] = {
    {3124, ControlKind::Static, u"Tipo :", V, {3, 3, 57, 10}},
    {IDC_ARCH_TIPO, ControlKind::ComboList, u"", V | WS_TABSTOP, {60, 1, 172, 43}},
    {3125, ControlKind::Static, u"Data :", V, {3, 13, 57, 20}},
    {IDC_ARCH_GIORNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {60, 11, 84, 20}},
    {3126, ControlKind::Static, u"/", V, {85, 13, 90, 20}},
    {IDC_ARCH_MESE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {91, 11, 115, 20}},
    {3127, ControlKind::Static, u"/", V, {116, 13, 121, 20}},
    {IDC_ARCH_ANNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {123, 11, 162, 20}},
    {3128, ControlKind::Static, u"Protocollo :", V, {3, 23, 57, 30}},
    {IDC_ARCH_PROTOCOLLO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {60, 21, 172, 30}},
    {3129, ControlKind::Static, u"Provincia :", V, {3, 33, 57, 40}},
    {IDC_ARCH_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {60, 31, 172, 86}},
    {3130, ControlKind::Static, u"Comune :", V, {3, 43, 57, 50}},
    {IDC_ARCH_COMUNE, ControlKind::ComboList, u"", V | WS_TABSTOP, {60, 41, 172, 86}},
    {3131, ControlKind::Static, u"Foglio :", V, {3, 53, 57, 60}},
    {IDC_ARCH_FOGLIO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {60, 51, 172, 60}},
    {3132, ControlKind::Static, u"Mappale :", V, {3, 63, 57, 70}},
    {IDC_ARCH_MAPPALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {60, 61, 172, 70}},
};

const ControlTemplate kRiga0Archiviov3[] = {
    {3124, ControlKind::Static, u"Tipo :", V, {3, 3, 74, 10}},
    {IDC_ARCH_TIPO, ControlKind::ComboList, u"", V | WS_TABSTOP, {77, 1, 222, 43}},
    {3125, ControlKind::Static, u"Data :", V, {3, 13, 74, 20}},
    {IDC_ARCH_GIORNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {77, 11, 107, 20}},
    {3126, ControlKind::Static, u"/", V, {109, 13, 116, 20}},
    {IDC_ARCH_MESE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {118, 11, 148, 20}},
    {3127, ControlKind::Static, u"/", V, {149, 13, 156, 20}},
    {IDC_ARCH_ANNO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {158, 11, 208, 20}},
    {3128, ControlKind::Static, u"Protocollo :", V, {3, 23, 74, 30}},
    {IDC_ARCH_PROTOCOLLO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {77, 21, 222, 30}},
    {3129, ControlKind::Static, u"Provincia :", V, {3, 33, 74, 40}},
    {IDC_ARCH_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {77, 31, 222, 86}},
    {3130, ControlKind::Static, u"Comune :", V, {3, 43, 74, 50}},
    {IDC_ARCH_COMUNE, ControlKind::ComboList, u"", V | WS_TABSTOP, {77, 41, 222, 86}},
    {3131, ControlKind::Static, u"Foglio :", V, {3, 53, 74, 60}},
    {IDC_ARCH_FOGLIO, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {77, 51, 222, 60}},
    {3132, ControlKind::Static, u"Mappale :", V, {3, 63, 74, 70}},
    {IDC_ARCH_MAPPALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {77, 61, 222, 70}},
};

} // namespace

const DialogTemplate kDlgRiga0Archivio[4] = {
    {12124, u"", 134, 126, kRiga0Archiviov0, std::size(kRiga0Archiviov0)},
    {12125, u"", 134, 164, kRiga0Archiviov1, std::size(kRiga0Archiviov1)}, // taller
    {12126, u"", 175, 90, kRiga0Archiviov2, std::size(kRiga0Archiviov2)},  // landscape
    {12127, u"", 225, 90, kRiga0Archiviov3, std::size(kRiga0Archiviov3)},  // wide landscape
};

namespace {

const ControlTemplate kRiga0Tecnicov0[] = {
    {3133, ControlKind::Static, u"Nome :", V, {2, 4, 50, 14}},
    {IDC_TEC_NOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 2, 132, 14}},
    {3134, ControlKind::Static, u"Cognome :", V, {2, 18, 50, 28}},
    {IDC_TEC_COGNOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 16, 132, 28}},
    {3135, ControlKind::Static, u"Qualifica :", V, {2, 32, 50, 42}},
    {IDC_TEC_QUALIFICA, ControlKind::ComboList, u"", V | WS_TABSTOP, {52, 30, 132, 100}},
    {3136, ControlKind::Static, u"N.Iscrizione :", V, {2, 46, 50, 56}},
    {IDC_TEC_ISCRIZIONE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 44, 132, 56}},
    {3137, ControlKind::Static, u"Cod.Fiscale :", V, {2, 60, 50, 70}},
    {IDC_TEC_CODICE_FISCALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 58, 132, 70}},
    {3138, ControlKind::Static, u"Provincia :", V, {2, 74, 50, 84}},
    {IDC_TEC_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {52, 72, 132, 124}},
};

const ControlTemplate kRiga0Tecnicov1[] = {
    {3133, ControlKind::Static, u"Nome :", V, {2, 5, 50, 18}},
    {IDC_TEC_NOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 3, 132, 18}},
    {3134, ControlKind::Static, u"Cognome :", V, {2, 23, 50, 36}},
    {IDC_TEC_COGNOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 21, 132, 36}},
    {3135, ControlKind::Static, u"Qualifica :", V, {2, 42, 50, 55}},
    {IDC_TEC_QUALIFICA, ControlKind::ComboList, u"", V | WS_TABSTOP, {52, 39, 132, 130}},
    {3136, ControlKind::Static, u"N.Iscrizione :", V, {2, 60, 50, 73}},
    {IDC_TEC_ISCRIZIONE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 57, 132, 73}},
    {3137, ControlKind::Static, u"Cod.Fiscale :", V, {2, 78, 50, 91}},
    {IDC_TEC_CODICE_FISCALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {52, 75, 132, 91}},
    {3138, ControlKind::Static, u"Provincia :", V, {2, 96, 50, 109}},
    {IDC_TEC_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {52, 94, 132, 161}},
};

const ControlTemplate kRiga0Tecnicov2[] = {
    {3133, ControlKind::Static, u"Nome :", V, {3, 3, 65, 10}},
    {IDC_TEC_NOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 1, 172, 10}},
    {3134, ControlKind::Static, u"Cognome :", V, {3, 13, 65, 20}},
    {IDC_TEC_COGNOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 11, 172, 20}},
    {3135, ControlKind::Static, u"Qualifica :", V, {3, 23, 65, 30}},
    {IDC_TEC_QUALIFICA, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 21, 172, 71}},
    {3136, ControlKind::Static, u"N.Iscrizione :", V, {3, 33, 65, 40}},
    {IDC_TEC_ISCRIZIONE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 31, 172, 40}},
    {3137, ControlKind::Static, u"Cod.Fiscale :", V, {3, 43, 65, 50}},
    {IDC_TEC_CODICE_FISCALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 41, 172, 50}},
    {3138, ControlKind::Static, u"Provincia :", V, {3, 53, 65, 60}},
    {IDC_TEC_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 51, 172, 89}},
};

const ControlTemplate kRiga0Tecnicov3[] = {
    {3133, ControlKind::Static, u"Nome :", V, {3, 3, 84, 10}},
    {IDC_TEC_NOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {87, 1, 222, 10}},
    {3134, ControlKind::Static, u"Cognome :", V, {3, 13, 84, 20}},
    {IDC_TEC_COGNOME, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {87, 11, 222, 20}},
    {3135, ControlKind::Static, u"Qualifica :", V, {3, 23, 84, 30}},
    {IDC_TEC_QUALIFICA, ControlKind::ComboList, u"", V | WS_TABSTOP, {87, 21, 222, 71}},
    {3136, ControlKind::Static, u"N.Iscrizione :", V, {3, 33, 84, 40}},
    {IDC_TEC_ISCRIZIONE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {87, 31, 222, 40}},
    {3137, ControlKind::Static, u"Cod.Fiscale :", V, {3, 43, 84, 50}},
    {IDC_TEC_CODICE_FISCALE, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {87, 41, 222, 50}},
    {3138, ControlKind::Static, u"Provincia :", V, {3, 53, 84, 60}},
    {IDC_TEC_PROVINCIA, ControlKind::ComboList, u"", V | WS_TABSTOP, {87, 51, 222, 89}},
};

} // namespace

const DialogTemplate kDlgRiga0Tecnico[4] = {
    {12128, u"", 134, 126, kRiga0Tecnicov0, std::size(kRiga0Tecnicov0)},
    {12129, u"", 134, 164, kRiga0Tecnicov1, std::size(kRiga0Tecnicov1)}, // taller
    {12130, u"", 175, 90, kRiga0Tecnicov2, std::size(kRiga0Tecnicov2)},  // landscape
    {12131, u"", 225, 90, kRiga0Tecnicov3, std::size(kRiga0Tecnicov3)},  // wide landscape
};

namespace {

const ControlTemplate kRiga9v0[] = {
    {3212, ControlKind::Static, u"Quota :", V, {2, 4, 66, 14}},
    {IDC_RIGA9_QUOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 2, 134, 14}},
    {3213, ControlKind::Static, u"Est. Media :", V, {2, 18, 66, 28}},
    {IDC_RIGA9_EST_MEDIA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 16, 104, 28}},
    {IDC_RIGA9_CALCOLA, ControlKind::Button, u"Calcola", V | WS_TABSTOP, {106, 16, 134, 28}},
    {3214, ControlKind::Static, u"Prec. Lin. (mm) :", V, {2, 32, 66, 42}},
    {IDC_RIGA9_PREC_LIN, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 30, 134, 70}},
    {3215, ControlKind::Static, u"Prec. Ang. (cc) :", V, {2, 46, 66, 56}},
    {IDC_RIGA9_PREC_ANG, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 44, 134, 84}},
    {3216, ControlKind::Static, u"Nota :", V, {2, 60, 40, 70}},
    {IDC_RIGA9_NOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {42, 58, 134, 70}},
    {3217, ControlKind::Static, u"Tipo Agg.:", V, {2, 74, 40, 84}},
    {IDC_RIGA9_TIPO_AGG, ControlKind::ComboList, u"", V | WS_TABSTOP, {42, 72, 134, 140}},
    {3218, ControlKind::Static, u"Agg. Auto:", V, {2, 88, 40, 98}},
    {IDC_RIGA9_AGG_AUTO, ControlKind::ComboList, u"", V | WS_TABSTOP, {42, 86, 134, 150}},
    {IDC_RIGA9_DESCRIZIONE,
     ControlKind::Static,
     u"Conformità di mappa con conferma numero di particella",
     V,
     {2, 102, 134, 126}},
    {IDC_RIGA9_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {2, 148, 66, 164}},
    {IDC_RIGA9_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {72, 148, 136, 164}},
};

const ControlTemplate kRiga9v1[] = {
    {3212, ControlKind::Static, u"Quota :", V, {2, 5, 66, 18}},
    {IDC_RIGA9_QUOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 3, 134, 18}},
    {3213, ControlKind::Static, u"Est. Media :", V, {2, 23, 66, 36}},
    {IDC_RIGA9_EST_MEDIA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {68, 21, 104, 36}},
    {IDC_RIGA9_CALCOLA, ControlKind::Button, u"Calcola", V | WS_TABSTOP, {106, 21, 134, 36}},
    {3214, ControlKind::Static, u"Prec. Lin. (mm) :", V, {2, 42, 66, 55}},
    {IDC_RIGA9_PREC_LIN, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 39, 134, 91}},
    {3215, ControlKind::Static, u"Prec. Ang. (cc) :", V, {2, 60, 66, 73}},
    {IDC_RIGA9_PREC_ANG, ControlKind::ComboList, u"", V | WS_TABSTOP, {68, 57, 134, 109}},
    {3216, ControlKind::Static, u"Nota :", V, {2, 78, 40, 91}},
    {IDC_RIGA9_NOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {42, 75, 134, 91}},
    {3217, ControlKind::Static, u"Tipo Agg.:", V, {2, 96, 40, 109}},
    {IDC_RIGA9_TIPO_AGG, ControlKind::ComboList, u"", V | WS_TABSTOP, {42, 94, 134, 182}},
    {3218, ControlKind::Static, u"Agg. Auto:", V, {2, 114, 40, 127}},
    {IDC_RIGA9_AGG_AUTO, ControlKind::ComboList, u"", V | WS_TABSTOP, {42, 112, 134, 195}},
    {IDC_RIGA9_DESCRIZIONE,
     ControlKind::Static,
     u"Conformità di mappa con conferma numero di particella",
     V,
     {2, 133, 134, 164}},
    {IDC_RIGA9_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {2, 192, 66, 213}},
    {IDC_RIGA9_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {72, 192, 136, 213}},
};

const ControlTemplate kRiga9v2[] = {
    {3212, ControlKind::Static, u"Quota :", V, {3, 3, 86, 10}},
    {IDC_RIGA9_QUOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {88, 1, 174, 10}},
    {3213, ControlKind::Static, u"Est. Media :", V, {3, 13, 86, 20}},
    {IDC_RIGA9_EST_MEDIA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {88, 11, 135, 20}},
    {IDC_RIGA9_CALCOLA, ControlKind::Button, u"Calcola", V | WS_TABSTOP, {137, 11, 174, 20}},
    {3214, ControlKind::Static, u"Prec. Lin. (mm) :", V, {3, 23, 86, 30}},
    {IDC_RIGA9_PREC_LIN, ControlKind::ComboList, u"", V | WS_TABSTOP, {88, 22, 174, 50}},
    {3215, ControlKind::Static, u"Prec. Ang. (cc) :", V, {3, 33, 86, 40}},
    {IDC_RIGA9_PREC_ANG, ControlKind::ComboList, u"", V | WS_TABSTOP, {88, 32, 174, 60}},
    {3216, ControlKind::Static, u"Nota :", V, {3, 43, 52, 50}},
    {IDC_RIGA9_NOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {54, 42, 174, 50}},
    {3217, ControlKind::Static, u"Tipo Agg.:", V, {3, 53, 52, 60}},
    {IDC_RIGA9_TIPO_AGG, ControlKind::ComboList, u"", V | WS_TABSTOP, {54, 52, 174, 101}},
    {3218, ControlKind::Static, u"Agg. Auto:", V, {3, 63, 52, 70}},
    {IDC_RIGA9_AGG_AUTO, ControlKind::ComboList, u"", V | WS_TABSTOP, {54, 62, 174, 108}},
    {IDC_RIGA9_DESCRIZIONE,
     ControlKind::Static,
     u"Conformità di mappa con conferma numero di particella",
     V,
     {3, 73, 174, 91}},
    {IDC_RIGA9_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {3, 106, 86, 118}},
    {IDC_RIGA9_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {93, 106, 176, 118}},
};

const ControlTemplate kRiga9v3[] = {
    {3212, ControlKind::Static, u"Quota :", V, {3, 3, 110, 10}},
    {IDC_RIGA9_QUOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {113, 1, 222, 10}},
    {3213, ControlKind::Static, u"Est. Media :", V, {3, 13, 110, 20}},
    {IDC_RIGA9_EST_MEDIA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {113, 11, 173, 20}},
    {IDC_RIGA9_CALCOLA, ControlKind::Button, u"Calcola", V | WS_TABSTOP, {176, 11, 222, 20}},
    {3214, ControlKind::Static, u"Prec. Lin. (mm) :", V, {3, 23, 110, 30}},
    {IDC_RIGA9_PREC_LIN, ControlKind::ComboList, u"", V | WS_TABSTOP, {113, 22, 222, 50}},
    {3215, ControlKind::Static, u"Prec. Ang. (cc) :", V, {3, 33, 110, 40}},
    {IDC_RIGA9_PREC_ANG, ControlKind::ComboList, u"", V | WS_TABSTOP, {113, 32, 222, 60}},
    {3216, ControlKind::Static, u"Nota :", V, {3, 43, 66, 50}},
    {IDC_RIGA9_NOTA, ControlKind::Edit, u"", V | WS_TABSTOP | WS_BORDER, {70, 42, 222, 50}},
    {3217, ControlKind::Static, u"Tipo Agg.:", V, {3, 53, 66, 60}},
    {IDC_RIGA9_TIPO_AGG, ControlKind::ComboList, u"", V | WS_TABSTOP, {70, 52, 222, 101}},
    {3218, ControlKind::Static, u"Agg. Auto:", V, {3, 63, 66, 70}},
    {IDC_RIGA9_AGG_AUTO, ControlKind::ComboList, u"", V | WS_TABSTOP, {70, 62, 222, 108}},
    {IDC_RIGA9_DESCRIZIONE,
     ControlKind::Static,
     u"Conformità di mappa con conferma numero di particella",
     V,
     {3, 73, 222, 91}},
    {IDC_RIGA9_OK, ControlKind::Button, u"OK", V | WS_TABSTOP, {3, 106, 110, 118}},
    {IDC_RIGA9_ANNULLA, ControlKind::Button, u"Annulla", V | WS_TABSTOP, {119, 106, 226, 118}},
};

} // namespace

const DialogTemplate kDlgRiga9[4] = {
    {12212, u"Riga 9", 138, 167, kRiga9v0, std::size(kRiga9v0)},
    {12213, u"Riga 9", 138, 217, kRiga9v1, std::size(kRiga9v1)}, // taller
    {12214, u"Riga 9", 179, 120, kRiga9v2, std::size(kRiga9v2)}, // landscape
    {12215, u"Riga 9", 229, 120, kRiga9v3, std::size(kRiga9v3)}, // wide landscape
};
