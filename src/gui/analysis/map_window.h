// The place maps: TfmCarte "Carte" shows where the events of a group of
// persons took place, filling the zones of a picture map (a click on a
// filled zone makes the report of its persons) or listing the places for
// the online map page; TfmCartePerso edits the zones of the picture map;
// TfmCarteNouvelleZone and TfmCarteNouvelle add a zone and a map. What is
// filled and collected is decided by the core (analysis/maps.h).
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "analysis/maps.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace kindrela {

struct TApplication;
class TfmCarte;
class TVueCarte;

// The zone editor, "Personalisation de la carte affichée".
class TfmCartePerso : public QWidget {
  Q_OBJECT
 public:
  TfmCartePerso(TApplication& app, TfmCarte& carte, QWidget* parent = nullptr);
  // The list and the two file names again from the map.
  void Remplit();
  // "&Sauver": the zones and the clean picture under the name in eFile.
  bool Sauve();
  QString NomZone() const;
  QString LieuZone() const;

 signals:
  void Cache();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void ChoisitZone(int index);
  void EditionZone();

  TApplication& m_app;
  TfmCarte& m_carte;
  QTreeWidget* m_liste = nullptr;
  QLineEdit* m_nom = nullptr;
  QLineEdit* m_lieu = nullptr;
  QLineEdit* m_x = nullptr;
  QLineEdit* m_y = nullptr;
  QLineEdit* m_bmp = nullptr;
  QLineEdit* m_fichier = nullptr;
  int m_zone = -1;          // index of the zone in the edits
  bool m_remplissage = false;
};

class TfmCarte : public QWidget {
  Q_OBJECT
 public:
  // `selecPers` gives the main window's selected person.
  TfmCarte(TApplication& app, std::function<int()> selecPers, QWidget* parent = nullptr);

  // The population again from its choice, then everything redrawn.
  void Affiche();
  // Loads map `nom` (the online one by its name) and redraws.
  void Charge(const std::string& nom);
  // Draws the whole population.
  void AfficheTout();
  // A click on the picture at (x, y), in picture pixels.
  void Clic(int x, int y);
  // "Affiche défini": every zone filled from its seed; "Affiche aucun": the clean picture.
  void AfficheDefini();
  void AfficheAucun();
  // Writes the zones and the clean picture as map `nom` of the map folder.
  bool SauveCarte(const std::string& nom);
  // Adds a map made from a picture file (the new-map dialog); false when
  // its files cannot be written (said to the user).
  bool CreeCarte(const std::string& nom, const QString& image);
  // The maps of the map folder, the online one included.
  QStringList ListeCartes() const;
  // The online page with the population's places, opened in the browser.
  void OuvreEnLigne();
  // The map page of the web export folder, opened; its path.
  std::string ExportePage();
  // The picture as shown.
  QImage ImageAffichee() const;

  // The population is the selected person: the main window redraws on each selection.
  bool SuitLaSelection() const;
  bool EnLigne() const { return m_enLigne; }
  const std::string& NomCarte() const { return m_nom; }
  std::vector<TZoneCarte>& Zones() { return m_zones; }
  TImageCarte& Image() { return m_image; }
  const TImageCarte& ImagePropre() const { return m_propre; }
  TClicCarte& ClicCourant() { return m_clic; }
  const TR& Population() const { return m_population; }
  const std::vector<TMarqueur>& Marqueurs() const { return m_marqueurs; }
  std::string CheminImage() const;  // the picture of the map, "" without one
  TfmCartePerso& Editeur() { return *m_editeur; }
  // The picture changed behind the view's back.
  void Repeint();

  using Ouvreur = std::function<bool(const QString& chemin)>;
  void SetOuvreur(Ouvreur o) { m_ouvreur = std::move(o); }

 signals:
  // A zone's persons become the report, captioned `titre`.
  void RapportZone(const TR& liste, const std::string& titre);
  void Cache();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RempliEvenements();
  void ChoisitPopulation(int index);
  void RapportDeZone(int zone);
  void NouvelleZone(int x, int y);
  void Legende();
  std::string NatureChoisie() const;
  void Ajuste();

  TApplication& m_app;
  std::function<int()> m_selecPers;
  Ouvreur m_ouvreur;
  TfmCartePerso* m_editeur = nullptr;
  QComboBox* m_cartes = nullptr;
  QComboBox* m_pour = nullptr;
  QComboBox* m_evenement = nullptr;
  QStackedWidget* m_pile = nullptr;
  TVueCarte* m_vue = nullptr;
  QListWidget* m_lieux = nullptr;
  std::string m_nom;
  bool m_enLigne = false;
  bool m_premierAffichage = true;
  std::vector<TZoneCarte> m_zones;
  TImageCarte m_image, m_propre;
  TClicCarte m_clic;
  TR m_population{0};
  std::vector<TMarqueur> m_marqueurs;
};

// "Ajout d'une nouvelle zone": a name and the start of the places it holds.
class TfmCarteNouvelleZone : public QDialog {
  Q_OBJECT
 public:
  TfmCarteNouvelleZone(const TApplication& app, QWidget* parent = nullptr);
  std::string Nom() const;
  std::string Lieu() const;
  void accept() override;

 private:
  const TApplication& m_app;
  QLineEdit* m_nom = nullptr;
  QLineEdit* m_lieu = nullptr;
};

// "Création d'une nouvelle carte": a picture and a name.
class TfmCarteNouvelle : public QDialog {
  Q_OBJECT
 public:
  TfmCarteNouvelle(TfmCarte& carte, QWidget* parent = nullptr);
  void accept() override;
  QLineEdit* Image() const { return m_bmp; }
  QLineEdit* Nom() const { return m_nom; }

 private:
  TfmCarte& m_carte;
  QLineEdit* m_bmp = nullptr;
  QLineEdit* m_nom = nullptr;
};

// Writes the online map page showing `marqueurs` (its script library beside
// it) into the web export folder; its path, or empty after telling the user
// why it could not be written.
QString EcritCarteEnLigne(TApplication& app, const std::vector<TMarqueur>& marqueurs, QWidget* parent);

// The online map on one event's place `lieu` of person `personne` (the
// record window's map button), opened with `ouvreur` (the system browser
// when empty). False when the page could not be written or opened.
bool MontreCarteLieu(TApplication& app, const std::string& lieu, int personne, const TfmCarte::Ouvreur& ouvreur,
                     QWidget* parent);

}  // namespace kindrela
