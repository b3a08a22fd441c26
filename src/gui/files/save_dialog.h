// The save dialog "Sauvegarde": the native tree file with its attached
// files, the GEDCOM export and the web site export.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/tree_file/tree_file_writer.h"
#include "analysis/web_page.h"
#include "gedcom/gedcom_export.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kindrela {

struct TApplication;
class TRadioGroup;
class TPageSauveWeb;

enum class PageSauvegarde { Natif, Gedcom, Web };

class TfmIOSauve : public QDialog {
  Q_OBJECT
 public:
  // `app.bd` must exist and outlive the dialog. `entete` is what the tree
  // file records beside the tables (the selection and the chart look); a
  // selection of 0 records the reference person, an empty look the one in
  // use (app.apparence).
  TfmIOSauve(TApplication& app, PageSauvegarde page, const EnteteArbre& entete = {},
             QWidget* parent = nullptr);

  // The dialog's fields on opening: file name and folder of the current
  // file (the documents' trees folder when there is none), the tree's
  // counts and the attached-file list; the options as last saved in the
  // settings.
  void Prepare();

  PageSauvegarde Page() const;
  void ChoisitPage(PageSauvegarde page);
  // True once a file was written (tree or export), and the file.
  bool Sauve() const { return m_sauve; }
  const std::string& Ecrit() const { return m_ecrit; }
  // The choices of the GEDCOM page.
  OptionsExportGedcom OptionsGedcom() const;
  // The file "Enregistrer" writes on the current page: folder + name + ".kdg" / ".ged" / ".htm".
  std::string Cible() const;

 public slots:
  // "Enregistrer": writes under the progress window; closes on success,
  // stays open (after telling why) on failure. An existing file is replaced
  // only once the user agreed, except the tree's own tree file (kept as the
  // backup); over the GEDCOM file the tree came from, the user is told what
  // would be lost and offered the tree file of that name instead.
  void Enregistrer();
  void reject() override;

 private:
  void ConstruitPageNatif(QWidget* page);
  void ConstruitPageGedcom(QWidget* page);
  void ConstruitPageWeb(QWidget* page);
  void ChoisitDossier();
  void Legende();
  bool NomValide();
  enum class Remplacement { Oui, Non };
  // Asks before replacing an existing target; may move to the native page
  // when the user takes the tree file instead of the GEDCOM file.
  Remplacement ConfirmeRemplacement();
  bool EnregistreNatif();
  bool EnregistreGedcom();
  // The web site: under the progress window, which can cancel it.
  bool EnregistreWeb();
  TOptionsWeb OptionsWebChoisies() const;
  void GardeOptions();
  void Signale(const std::vector<std::string>& avertissements);

  TApplication& m_app;
  EnteteArbre m_entete;
  bool m_sauve = false;
  std::string m_ecrit;
  bool m_enCours = false;

  QLineEdit* m_nom = nullptr;
  QLineEdit* m_dossier = nullptr;
  QPushButton* m_parcourir = nullptr;
  QTabWidget* m_pages = nullptr;
  QWidget* m_pageNatif = nullptr;
  QWidget* m_pageGedcom = nullptr;
  QWidget* m_pageWeb = nullptr;
  // Native page.
  QLineEdit* m_personnes = nullptr;
  QLineEdit* m_unions = nullptr;
  QLineEdit* m_donnees = nullptr;
  QLineEdit* m_reference = nullptr;
  QListWidget* m_fichiers = nullptr;
  QCheckBox* m_deplace = nullptr;
  QCheckBox* m_zippe = nullptr;
  QCheckBox* m_inclure = nullptr;
  // GEDCOM page.
  QCheckBox* m_liens = nullptr;
  QCheckBox* m_champs = nullptr;
  QCheckBox* m_notesEve = nullptr;
  QCheckBox* m_sources = nullptr;
  QCheckBox* m_centAns = nullptr;
  QCheckBox* m_notes = nullptr;
  QCheckBox* m_evenements = nullptr;
  QCheckBox* m_auteur = nullptr;
  QLineEdit* m_identite = nullptr;
  QPlainTextEdit* m_adresse = nullptr;
  TRadioGroup* m_jeu = nullptr;
  QCheckBox* m_zippeGed = nullptr;
  // Web page.
  TPageSauveWeb* m_web = nullptr;

  QPushButton* m_ok = nullptr;
  QPushButton* m_annuler = nullptr;
};

// The save command on `page`: true once the dialog wrote a file. A native
// save makes the file the current one (app.fichierCourant) and clears
// BaseModifiee; a GEDCOM export changes neither, unless it was written over
// the current file itself (a tree opened from that GEDCOM file), which
// then counts as saved. `ecrit`, when given, receives the file written.
bool DialogueSauvegarde(QWidget* parent, TApplication& app, PageSauvegarde page,
                        const EnteteArbre& entete = {}, std::string* ecrit = nullptr);

}  // namespace kindrela
