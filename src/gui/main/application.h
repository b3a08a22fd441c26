// What one run of the program owns: the translation, the program-wide
// settings, the folders, the per-user settings and the database. Windows
// receive it; core functions receive only the parts they need.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/folders.h"
#include "analysis/report_list.h"
#include "analysis/type_tables.h"
#include "app/settings.h"
#include "chart/template_words.h"
#include "core/database.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {

struct TApplication {
  TTraduction traduction;
  TIniProgramme ini;
  TDossiers dossiers;
  TReglages reglages;
  std::unique_ptr<TBD> bd;
  TTablesTypes tables;         // event kinds, custom fields, source types
  TTableFetes fetes;           // name days, read at start
  TMotsBalises mots;           // the box text tags, in the interface language
  std::string apparence;       // name of the chart look in use
  std::string fichierCourant;  // the current tree file, full path; empty before any
  std::string styleCss;        // the web export style sheet, kept until the close
  TRapportPartage rapport;     // the report shared by the report, statistics, deletion... windows
  // Pages of single views made this session, linked from the web site's
  // main page (the save dialog's list of extra files).
  std::vector<std::string> fichiersWeb;
  // Shows a page of the web export; empty: the system's browser.
  std::function<void(const std::string& chemin)> voirSite;
};

}  // namespace kindrela
