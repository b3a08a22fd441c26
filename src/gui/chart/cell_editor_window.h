// The cell editor ("Affichage de l'arbre", fmCellule): the user designs a
// look (text lines, box look per sex, margins, links, background, chart
// sizes) on a working copy of one chart half, applies it to the chart,
// saves it as a named look file with its thumbnail and picks saved looks
// from a list of thumbnails.
//
// The window is created once and shown again and again (Montre); it keeps
// the chart's look (TAffArbre::Apparence) and the run's state alive by
// reference. What it decides lives in chart/cell_editor.h.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "chart/cell_editor.h"
#include "chart/looks.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;

namespace kindrela {

struct TApplication;
class TAffArbre;
class TRadioGroup;

class TfmCellule : public QDialog {
  Q_OBJECT
 public:
  struct Actions {
    std::function<void()> reconstruit;  // rebuild the chart (Affiche)
    std::function<int()> selecPers;     // the main window's selected person
    // Where the user's own looks are written and read first (the
    // installation's folder when empty).
    std::string dossierLooksUtilisateur;
  };
  TfmCellule(TApplication& app, TAffArbre& arbre, Actions actions, QWidget* parent = nullptr);

  // Shows the window: "Pour" back to "tout l'arbre", the working look taken
  // from the chart, every control filled, the first line selected, the look
  // list refreshed with the current name selected.
  void Montre();
  // "Ok": margin aid off, the look applied unless it already was, hidden.
  void Ok();
  // The chart's look changed elsewhere (a new tree, a reset): refill.
  void Relit();

  // Applies the working look and rebuilds the chart / only repaints it.
  void AppCalcule();
  void Rafraichis();
  // Saves the chart's look as `nom` (asks before replacing) with its
  // thumbnail; false when nothing was saved.
  bool Enregistre(const std::string& nom);
  // Loads look `nom` of the look folder as the working look.
  void ChoisitLook(const std::string& nom);

  const T1Aff& Travail() const { return m_travail; }
  int Pour() const;
  int LigneSelectionnee() const;
  bool TextePendant() const { return m_pendant; }

 signals:
  void Cache();  // the window was hidden (Ok or closed)

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  QWidget* PageTexte();
  QWidget* PageSexe();
  QWidget* PageMarge();
  QWidget* PageLiens();
  QWidget* PageFond();
  QWidget* PageStyle();
  void Remplit();
  void RemplitLignes(int selection);
  void MontreLigne(int n);
  void RemplitSexe();
  void StockeSexe();
  void RemplitLiens();
  void RafraichitListeLooks();
  void Change(bool rapide = false);  // an edit: apply at once when cbApp is checked
  TLookSexe& LookSexe();
  TLigne* LigneCourante();
  void ChoisitTextureSexe();
  void ChoisitCouleur(TCouleur& couleur, QLabel* panneau);
  void ChangeTextureLien();
  void ChoisitTextureFond();
  void MontreFond();
  TDossiersImages Dossiers() const;
  TDossiersLooks DossiersLooks() const;
  std::string DossierEcriture() const;

  TApplication& m_app;
  TAffArbre& m_arbre;
  Actions m_actions;
  T1Aff m_travail;
  TCouleur m_couleurFond;
  bool m_pendant = false;
  bool m_remplissage = false;  // controls being filled: their signals are not edits
  int m_lienChoisi = 1;

  QComboBox* m_pour;
  QLineEdit* m_nomLook;
  QComboBox* m_listeLooks;
  QListWidget* m_vignettes;
  QCheckBox* m_app_;
  QPushButton* m_modifier;
  QStackedWidget* m_pile;
  QTabWidget* m_onglets;
  // Texte
  QListWidget* m_lignes;
  QLineEdit* m_edit;
  std::array<QToolButton*, 3> m_styles{};  // B, I, U
  std::array<QToolButton*, 3> m_aligns{};  // left, centre, right
  // Sexe
  QComboBox* m_sexe;
  TRadioGroup* m_fond;
  QLabel* m_couleurSexe;
  QPushButton* m_choixSexe;
  QLabel* m_imageSexe;
  QLabel* m_legendeTexte;
  QLineEdit* m_texteSexe;
  QCheckBox* m_etire;
  QCheckBox* m_ombre;
  QCheckBox* m_arrondis;
  QCheckBox* m_cadre;
  // Marge
  std::array<QSpinBox*, 4> m_marges{};
  QCheckBox* m_identiques;
  QCheckBox* m_aide;
  // Liens
  QSpinBox* m_epaisseur;
  QLabel* m_couleurLien;
  TRadioGroup* m_relier;
  QWidget* m_panneauTextures;
  std::array<QToolButton*, 9> m_boutonsLien{};
  // Fond
  QLabel* m_couleurEcran;
  QLabel* m_imageFond;
  QCheckBox* m_etireFond;
  // Style
  QSpinBox* m_gen;
  QSpinBox* m_large;
  QSpinBox* m_ecartH;
  QSpinBox* m_ecartV;
  QSpinBox* m_zoom;
};

}  // namespace kindrela
