// The options window: general options, the automatic numbering, the age
// thresholds of the consistency check with the database verification, and
// the three type tables (event kinds, custom fields, source types).
//
// The window edits copies: nothing reaches the settings or the type tables
// until "&Fermer". Escape and the title bar's close button leave them as
// they were.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QStyledItemDelegate>
#include <array>

#include "analysis/consistency.h"
#include "analysis/type_tables.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;

namespace kindrela {

struct TApplication;
struct TDossiers;
class TPageOptionsAnniversaires;
class TPageOptionsCalendrier;
class TPageOptionsFiche;
class TPageOptionsSourcesWeb;
class TReglages;

// The pages, in the order of the page list.
enum PageOptions {
  kPageGenerale = 0,
  kPageFiche,
  kPageNumerotation,
  kPageCoherence,
  kPageEvenements,
  kPageChamps,
  kPageSources,
  kPageCalendrier,
  kPageAnniversaires,
  kPageSourcesWeb,
  kNbrePagesOptions
};

// The thresholds as the settings hold them, brought into range.
SeuilsCoherence SeuilsDepuisReglages(const TReglages& reglages);
// Stores the thresholds (brought into range) under their keys; the maximum
// age at death also becomes the program-wide maximum lifetime.
void EcritSeuils(TReglages& reglages, const SeuilsCoherence& seuils);
// The type tables' files from the run's folders.
CheminsTablesTypes CheminsTables(const TDossiers& dossiers);

// The editing of a type table's cells. Column 0 of the event and
// custom-field tables offers only the values the program understands (the
// cell keeps the chosen text); other cells are free text.
class TDelegueGrille : public QStyledItemDelegate {
  Q_OBJECT
 public:
  // `choix` empty: every column is free text.
  TDelegueGrille(QStringList choix, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  // Puts the value of a cell still being edited into the table and closes
  // its editor, so that nothing the user typed is lost on closing.
  void ValideEdition();

 private:
  QStringList m_choix;
  mutable QPointer<QWidget> m_editeur;
};

class TfmOptions : public QDialog {
  Q_OBJECT
 public:
  // Reads every control from `app` (settings, type tables). The database
  // verification is disabled while `app.bd` is null.
  explicit TfmOptions(TApplication& app, QWidget* parent = nullptr);

  // Shows page `page`; a number outside the list shows the first page.
  void AffichePage(int page);
  int PageCourante() const;

  // The grid of a table as it stands in the window, cells trimmed: row 0 the
  // titles, then every row the user filled in (a row whose only non-blank
  // cell is the preset column 0 of the event or custom-field table counts
  // as blank and is left out).
  GrilleTable GrilleAffichee(SorteTable sorte) const;

 public slots:
  // "&Défaut" of the thresholds page.
  void SeuilsParDefaut();
  // "&Défaut" of a table's page: asks, then reloads the rows of the default
  // file. A default file that cannot be read is reported and the grid kept.
  void TableParDefaut(SorteTable sorte);
  // Appends a row (column 0 at its first allowed value) and starts editing
  // its name; removes the selected rows.
  void AjouteLigne(SorteTable sorte);
  void SupprimeLignes(SorteTable sorte);
  // "Vérifier la base de donnée": asks, repairs, shows the report.
  void VerifieBase();
  // "&Fermer": stores every value, then closes.
  void Ferme();

 private:
  struct Grille {
    QTableWidget* table = nullptr;
    TDelegueGrille* delegue = nullptr;
    LigneTable titres;  // row 0 of the table when the window opened
  };

  QWidget* PageGenerale();
  QWidget* PageNumerotation();
  QWidget* PageCoherence();
  QWidget* PageTable(SorteTable sorte);
  void RempliGrille(SorteTable sorte, const GrilleTable& grille);
  QStringList ChoixColonne0(SorteTable sorte) const;
  void Applique();

  TApplication& m_app;
  QListWidget* m_pages = nullptr;
  QStackedWidget* m_pile = nullptr;

  TPageOptionsFiche* m_pageFiche = nullptr;
  TPageOptionsCalendrier* m_pageCalendrier = nullptr;
  TPageOptionsAnniversaires* m_pageAnniversaires = nullptr;
  TPageOptionsSourcesWeb* m_pageSourcesWeb = nullptr;
  QCheckBox* m_afficheBulle = nullptr;
  QCheckBox* m_conseils = nullptr;
  QSpinBox* m_avApMenu = nullptr;
  QSpinBox* m_annulationMo = nullptr;
  QSpinBox* m_generation = nullptr;

  QCheckBox* m_numerote = nullptr;
  QSpinBox* m_numeroteGen = nullptr;
  QCheckBox* m_numeroteConjoint = nullptr;
  QCheckBox* m_numeroteFamille = nullptr;

  QSpinBox* m_ageMarMin = nullptr;
  QSpinBox* m_ageMarMax = nullptr;
  QSpinBox* m_ageEnfMin = nullptr;
  QSpinBox* m_ageEnfMax = nullptr;
  QSpinBox* m_ageDecesMax = nullptr;
  QSpinBox* m_ecartConjMax = nullptr;
  QPushButton* m_verifie = nullptr;
  QPlainTextEdit* m_rapport = nullptr;

  std::array<Grille, kNbreTablesTypes> m_grilles;
};

// Shows the options window on `page` (modal). The values are stored when
// the user closes it with "&Fermer".
void AfficheOptions(QWidget* parent, TApplication& app, int page = kPageGenerale);

}  // namespace kindrela
