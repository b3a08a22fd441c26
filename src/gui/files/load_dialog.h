// The load dialog "Chargement": what a tree file or a GEDCOM file holds,
// the choices for reading it, and the loading itself.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/tree_file/tree_file_load.h"
#include "gui/files/load_dialog_gedcom.h"
#include "gui/files/progress_dialog.h"
#include "gedcom/gedcom_charsets.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace kindrela {

struct TApplication;
class TRadioGroup;

class TfmIOCharge : public QDialog {
  Q_OBJECT
 public:
  // `app.bd` must exist and outlive the dialog.
  explicit TfmIOCharge(TApplication& app, QWidget* parent = nullptr);

  // Fills the dialog for `chemin` (BaseCharge): the native page for a ".kdg"
  // of a known version, the GEDCOM page with the header preview and the
  // preselected character set for a ".ged". False, and the dialog must not
  // be shown, for any other extension, an unrecognised version, a file that
  // cannot be read or a ".ged" that is no GEDCOM file: Raison then says why.
  // `selecPers` is the selection before loading, kept by a merge.
  bool Prepare(const std::string& chemin, int selecPers);

  // After "&Charger": true when a tree was loaded or merged into the one in
  // memory. A load that failed or was cancelled gives false; the tree in
  // memory is then the one from before (none when none was open).
  // After a load BaseModifiee is 0 for a tree file read as it is, 1 after
  // a GEDCOM import, a merge or a place conversion (the tree then differs
  // from every tree file on disk).
  bool Charge() const { return m_charge; }
  int SelecPers() const { return m_selecPers; }
  // The chart look the loaded file names (a name, or a look file's name
  // without folder and extension); empty when none.
  const std::string& Look() const { return m_look; }

  const InfoChargement& Info() const { return m_info; }
  // After a Prepare that gave false: the message for the user, naming the file.
  const std::string& Raison() const { return m_info.raison; }
  JeuCaracteres Jeu() const;
  // Chooses the character set and reads the header preview again with it.
  void ChoisitJeu(JeuCaracteres jeu);
  const ApercuGedcom& Entete() const { return m_entete; }
  // How long quick work runs before the progress window shows (tests set 0).
  void DelaiProgression(int ms) { m_delaiProgression = ms; }

 public slots:
  // "&Charger" (BaseChargeCont): disables both buttons, loads under the
  // progress window, then closes the dialog.
  void Charger();
  void reject() override;

 private:
  void ConstruitPageKindrela(QWidget* page);
  void ConstruitPageGedcom(QWidget* page);
  // The header preview for the chosen character set.
  void LitEntete();
  void AfficheEntete();
  // Puts the tree of `octets` (as written by OctetsBase) back in memory.
  void Restaure(const std::string& octets, uint8_t modifiee);
  void Signale(const std::vector<std::string>& avertissements);

  TApplication& m_app;
  InfoChargement m_info;
  ApercuGedcom m_entete;
  int m_selecPers = 0;
  std::string m_look;
  bool m_charge = false;
  bool m_enCours = false;
  int m_delaiProgression = TProgression::kDelaiParDefaut;

  QLineEdit* m_fichier = nullptr;
  QStackedWidget* m_pages = nullptr;
  QWidget* m_pageKindrela = nullptr;
  QWidget* m_pageGedcom = nullptr;
  QLineEdit* m_version = nullptr;
  QLineEdit* m_nbre = nullptr;
  QLineEdit* m_cree = nullptr;
  QLineEdit* m_modif = nullptr;
  QCheckBox* m_fusion = nullptr;
  QLineEdit* m_source = nullptr;
  QLineEdit* m_versionSource = nullptr;
  QLineEdit* m_date = nullptr;
  QLineEdit* m_societe = nullptr;
  QLineEdit* m_versionGedcom = nullptr;
  QLineEdit* m_jeuEntete = nullptr;
  QLineEdit* m_langue = nullptr;
  QPlainTextEdit* m_note = nullptr;
  TRadioGroup* m_jeu = nullptr;
  QCheckBox* m_concatene = nullptr;
  QCheckBox* m_majuscules = nullptr;
  QCheckBox* m_journal = nullptr;
  QCheckBox* m_lieux = nullptr;
  QPushButton* m_charger = nullptr;
  QPushButton* m_annuler = nullptr;
};

// The load command for `chemin`: shows the load dialog and loads on
// "&Charger"; a file the dialog cannot take is refused with a message that
// says why. Returns true when a tree was loaded or merged; `selecPers`
// (the selection before, kept by a merge) then receives the person to
// select, app.fichierCourant the file loaded (the ".ged" itself for an
// import) and `look`, when given, the chart look the file names. False when
// the file is not one the dialog handles (the dialog is then not shown and
// nothing changes), when the user cancelled, or when the load failed (the
// error has been shown); the main window resets when app.bd->BaseChargee is
// then 0.
bool DialogueChargement(QWidget* parent, TApplication& app, const std::string& chemin, int& selecPers,
                        std::string* look = nullptr);
// The same for a tree file loaded at once, without the dialog's choices (the
// start, the last tree of the previous run). A GEDCOM file still shows the
// dialog, its choices being needed.
bool ChargementDirect(QWidget* parent, TApplication& app, const std::string& chemin, int& selecPers,
                      std::string* look = nullptr);

}  // namespace kindrela
