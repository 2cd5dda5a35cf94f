#pragma once

#include "Language.h"

namespace quorvane::DataTableTexts {

inline constexpr LanguageText NewHint{"Create new data file (Strg+N)", "Neue Datei anlegen (Strg+N)"};
inline constexpr LanguageText OpenHint{"Open data file (CTRL+O)", "Datei öffnen (Strg+O)"};
inline constexpr LanguageText SaveHint{"Save data file (CTRL+S)", "Datei speichern (CTRL+S)"};
inline constexpr LanguageText SaveAsHint{"Save data file as (CTRL+U)",
                                         "Datei speichern unter (CTRL+U)"};
inline constexpr LanguageText PrintHint{"Print data table (CTRL+P)",
                                        "Datentabelle drucken (Strg+P)"};
inline constexpr LanguageText InsertHint{"Insert row (CTRL+Ins)", "Zeile einfügen (Strg+Einfg)"};
inline constexpr LanguageText DeleteHint{"Delete row (CTRL+Del)", "Zeile löschen (Strg+Entf)"};
inline constexpr LanguageText IncrementDecimalsHint{"Increment decimals",
                                                    "Dezimalstelle hinzufügen"};
inline constexpr LanguageText DecrementDecimalsHint{"Decrement decimals", "Dezimalstelle löschen"};
inline constexpr LanguageText SettingsHint{"Settings (CTRL+E)", "Einstellungen (Strg+E)"};
inline constexpr LanguageText HelpHint{"Help (F1)", "Hilfe (F1)"};
inline constexpr LanguageText UndoHint{"Undo (CTRL+Z)", "Rückgängig (Strg+Z)"};
inline constexpr LanguageText RedoHint{"Redo (CTRL+Y)", "Wiederherstellen (Strg+Y)"};
inline constexpr LanguageText TransformHint{"Transform selected rows",
                                            "Markierte Zeilen transformieren"};
inline constexpr LanguageText SupplementHeader{"Supplement", "Zusatz-Info"};
inline constexpr LanguageText SaveDialogTitle{"Save data table", "Datentabelle speichern"};
inline constexpr LanguageText SaveDialogFilter{
    "Quorvane files (*.qrv)|*.qrv|all files (*.*)|*.*|NEC-2 input files (*.nec)|*.nec|"
    "MMANA files (*.maa)|*.maa",
    "Quorvane-Dateien (*.qrv)|*.qrv|alle Dateien (*.*)|*.*|NEC-2-Eingabedateien (*.nec)|*.nec|"
    "MMANA-Dateien (*.maa)|*.maa"};
// The open dialog has the German types of data files in both languages;
// the antenna models it imports come after them.
inline constexpr LanguageText OpenDialogFilter{
    "Quorvane-Dateien (*.qrv)|*.qrv|alle Dateien    (*.*)|*.*|NEC-2 input files (*.nec)|*.nec|"
    "MMANA files (*.maa)|*.maa",
    "Quorvane-Dateien (*.qrv)|*.qrv|alle Dateien    (*.*)|*.*|NEC-2-Eingabedateien (*.nec)|*.nec|"
    "MMANA-Dateien (*.maa)|*.maa"};
inline constexpr LanguageText PrintPreviewTitle{"Print data table", "Datentabelle drucken"};
inline constexpr LanguageText PageNumbers{"Page %1 of %2", "Seite %1 von %2"};
inline constexpr LanguageText SavePdfAction{"Save as PDF", "Als PDF speichern"};
inline constexpr LanguageText SavePdfTitle{"Save data table as PDF",
                                           "Datentabelle als PDF speichern"};
inline constexpr LanguageText PdfFilter{"PDF files (*.pdf)|*.pdf", "PDF-Dateien (*.pdf)|*.pdf"};
// %1 names the printer or the file.
inline constexpr LanguageText PrintTableFailed{"The data table could not be printed on %1.",
                                               "Die Datentabelle konnte nicht auf %1 gedruckt werden."};
inline constexpr LanguageText DeleteQuestion{"Delete the selected row?   ",
                                             "Die markierte Zeile wirklich löschen?   "};
// The transforms dialog.
inline constexpr LanguageText TransformTitle{"Transform selected rows",
                                             "Markierte Zeilen transformieren"};
inline constexpr LanguageText TransformRowCount{"Selected rows: %1", "Markierte Zeilen: %1"};
inline constexpr LanguageText TransformMove{"Move by", "Verschieben um"};
inline constexpr LanguageText TransformRotate{"Rotate by", "Drehen um"};
inline constexpr LanguageText TransformAboutAxis{"degrees about the axis", "Grad um die Achse"};
inline constexpr LanguageText TransformScale{"Scale by the factor", "Skalieren mit dem Faktor"};
inline constexpr LanguageText TransformMirror{"Mirror in the plane", "Spiegeln an der Ebene"};
inline constexpr LanguageText TransformAbout{"Rotate, scale and mirror about",
                                             "Drehen, skalieren und spiegeln bezogen auf"};
inline constexpr LanguageText TransformOrigin{"the origin (0, 0, 0)", "den Ursprung (0, 0, 0)"};
inline constexpr LanguageText TransformCentre{"the centre of the selected lines",
                                              "die Mitte der markierten Linien"};
inline constexpr LanguageText TransformDuplicate{
    "Duplicate first: keep the rows and append transformed copies",
    "Vorher duplizieren: Zeilen behalten und transformierte Kopien anhängen"};
inline constexpr LanguageText NotANumber{
    "\"%1\" is not a number. Numbers are written with a point, as in 1.5 or -2E3.",
    "„%1“ ist keine Zahl. Zahlen werden mit Punkt geschrieben, etwa 1.5 oder -2E3."};
inline constexpr LanguageText FactorZero{"The factor must not be 0.",
                                         "Der Faktor darf nicht 0 sein."};
// %1 is the row.
inline constexpr LanguageText TransformOverflow{
    "The transform would take a coordinate of row %1 beyond the largest number a coordinate "
    "holds.\nNothing was changed.",
    "Die Transformation brächte eine Koordinate der Zeile %1 über die größte Zahl hinaus, die "
    "eine Koordinate fasst.\nEs wurde nichts geändert."};
inline constexpr LanguageText NothingToTransform{
    "The selected rows have no coordinates to transform.",
    "Die markierten Zeilen haben keine Koordinaten, die sich transformieren ließen."};
// Until a data file is read, created or saved.
inline constexpr const char* InitialCaption = "FormDataTable";

}  // namespace quorvane::DataTableTexts
