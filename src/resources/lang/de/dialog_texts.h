// German texts of the dialogs and the menu of kvx500ct.rc: one T_ name for every
// text the shared layout shows. This file is in code page 1252 (Windows ANSI, as
// the resource compiler is told); no text holds a double quote. One definition a line.
#pragma once

#define VELKOR_LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
// The version resource's language: German, code page 1252.
#define VELKOR_VERSION_BLOCK "040704E4"
#define VELKOR_VERSION_LANGUAGE 0x407

#define T_OK "OK"
#define T_CANCEL "Abbrechen"

#define T_POPUP_MENU "Drucker"
#define T_POPUP_SEND "An Drucker &senden"
#define T_POPUP_SAVE "&Druckerdaten speichern..."

#define T_ABOUT_CAPTION "Info"

#define T_MAIN_CAPTION "Mertavo Papierverwaltung"
#define T_MAIN_LIST "&Papierformate:"
#define T_MAIN_SELECTED "Ausgewähltes Papierformat"
#define T_MAIN_WIDTH "Breite:"
#define T_MAIN_LENGTH "Länge:"
#define T_MAIN_ENERGY "Energiestufe:"
#define T_MAIN_ADD "&Hinzufügen..."
#define T_MAIN_EDIT "&Bearbeiten..."
#define T_MAIN_DELETE "&Löschen"
#define T_MAIN_EXPORT "&Exportieren..."
#define T_MAIN_IMPORT "&Importieren..."
#define T_MAIN_HISTORY "&Verlauf..."
#define T_MAIN_OPTIONS "&Optionen..."
#define T_MAIN_SEND "An &Drucker senden"
#define T_MAIN_MORE "Mehr"
#define T_MAIN_CLOSE "Schließen"

#define T_ED_CAPTION "Papierformat"
#define T_ED_NAME "Papier&name:"
#define T_ED_KIND "Papier&art:"
#define T_ED_SIZE "Größe"
#define T_ED_WIDTH "&Breite:"
#define T_ED_LENGTH "&Länge:"
#define T_ED_GAP "Abs&tand:"
#define T_ED_MARGINS "Ränder"
#define T_ED_TOP "&Oben:"
#define T_ED_BOTTOM "&Unten:"
#define T_ED_LEFT "L&inks:"
#define T_ED_RIGHT "&Rechts:"
#define T_ED_MARK "Schwarzmarke"
#define T_ED_MARK_LENGTH "Län&ge:"
#define T_ED_MARK_OFFSET "&Versatz:"
#define T_ED_PREVIEW "Vorschau"
#define T_ED_ADVANCED "Er&weitert..."
#define T_ED_OVERWRITE "&Ersetzen"
#define T_ED_SAVE_NEW "Als neu &speichern"

#define T_OPT_CAPTION "Optionen"
#define T_OPT_UNITS "Maßeinheit"
#define T_OPT_MM "&Millimeter"
#define T_OPT_INCH "&Zoll"

#define T_ADV_CAPTION "Erweiterte Einstellungen"
#define T_ADV_OFFSETS "Virtueller Versatz"
#define T_ADV_X "&Horizontal (X):"
#define T_ADV_Y "&Vertikal (Y):"
#define T_ADV_PRINTING "Druck"
#define T_ADV_ENERGY "&Energiestufe:"
#define T_ADV_LABELS "Stanzetiketten"
#define T_ADV_MARKED "Mit Schwarzmarke"
#define T_ADV_ADJUST_1 "Anpassung &1:"
#define T_ADV_ADJUST_2 "Anpassung &2:"

#define T_TR_CAPTION "An Drucker senden"
#define T_TR_GROUP "Zu sendendes Papierformat"
#define T_TR_PRINTER "Drucker:"
#define T_TR_PAPER "Papierformat:"
#define T_TR_NOTE "Schalten Sie den Drucker vor dem Senden ein. Der Drucker behält das Papierformat, bis es ersetzt wird."
#define T_TR_SEND "&Senden"

// Verlauf der aufbewahrten Papiersätze
#define T_HI_CAPTION "Verlauf der Papierformate"
#define T_HI_LIST "Papierformate vor jeder Änderung, die neueste &zuerst:"
#define T_HI_RESTORE "&Wiederherstellen"
#define T_HI_CLOSE "Schließen"
