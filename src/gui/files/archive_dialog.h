// The archive window "Contenu de l'archive": a zip received or saved with
// a tree, from which the tree to open is extracted.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/archive.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kindrela {

struct TApplication;

// Where the entries of `cheminZip` go: the zip's own folder when it can be
// written to, otherwise a folder named after the zip (its name without
// ".zip") in the user's trees folder. Ends with "/".
std::string DossierExtraction(const TApplication& app, const std::string& cheminZip);

// True for the entries the program can open: ".kdg" and ".ged" files.
bool EntreeOuvrable(const std::string& nom);

class TfmArchive : public QDialog {
  Q_OBJECT
 public:
  TfmArchive(const TApplication& app, const std::string& cheminZip, QWidget* parent = nullptr);

  // Lists the archive. False, with the error in `erreur`, when it cannot be
  // read; the window must then not be shown.
  bool Prepare(std::string& erreur);

  // After "Extraire" or "Tout extraire": the extracted file to open, empty
  // when the window was cancelled or the archive holds no tree.
  const std::string& AOuvrir() const { return m_aOuvrir; }
  const std::string& Dossier() const { return m_dossier; }
  const std::vector<EntreeArchive>& Entrees() const { return m_entrees; }

 public slots:
  // The selected entry alone.
  void Extraire();
  // Every entry; the selected one is opened when it is a tree, otherwise
  // the first tree of the archive.
  void ToutExtraire();

 private:
  // The entry of the selected line, -1 when none.
  int Selection() const;
  void SuitSelection();
  // Asks before files already in the folder are replaced; true to go on.
  bool AccepteRemplacement(const std::vector<std::string>& noms);
  bool PrepareDossier();
  void Erreur(const std::string& message);

  const TApplication& m_app;
  std::string m_zip;
  std::string m_dossier;
  std::vector<EntreeArchive> m_entrees;
  std::string m_aOuvrir;

  QLabel* m_etiquetteDossier = nullptr;
  QTreeWidget* m_liste = nullptr;
  QPushButton* m_extraire = nullptr;
  QPushButton* m_toutExtraire = nullptr;
  QPushButton* m_annuler = nullptr;
};

// Shows the archive window for `cheminZip` and returns the path of the
// extracted tree to open, or an empty text when the user cancelled, the
// archive could not be read (the error has been shown) or it holds no tree.
std::string DialogueArchive(QWidget* parent, const TApplication& app, const std::string& cheminZip);

}  // namespace kindrela
