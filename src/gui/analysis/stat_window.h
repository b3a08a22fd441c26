// TfmStat, the statistics window: the statistic and population chosen,
// the windows of years or ages, the bar graph and its comment; a click on a
// bar sends the persons behind it to the report window. TfmStatDate asks
// the two years of the population "Né entre date". The counting is the
// core's (analysis/statistics.h).
#pragma once

#include <QDialog>
#include <QWidget>

#include "analysis/statistics.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;
class QProgressBar;
class QSpinBox;
class QTextEdit;

namespace kindrela {

struct TApplication;
class TfmRapport;
class TwexaGraph;

class TfmStatDate : public QDialog {
  Q_OBJECT
 public:
  explicit TfmStatDate(QWidget* parent = nullptr);
  void SetAnnees(int debut, int fin);
  int Debut() const;
  int Fin() const;

 private:
  QSpinBox* seDebut = nullptr;
  QSpinBox* seFin = nullptr;
};

class TfmStat : public QWidget {
  Q_OBJECT
 public:
  enum Population { kTous = 0, kNesEntre = 1, kRapport = 2 };

  TfmStat(TApplication& app, TfmRapport& rapport, QWidget* parent = nullptr);

  // The statistic (entry of the list) and the population; each computes.
  void ChoisitStatistique(int entree);
  // For kNesEntre, `demande` shows TfmStatDate first (the tests pass false
  // and set the years with SetAnnees).
  void ChoisitPopulation(Population p, bool demande = true);
  void SetAnnees(int debut, int fin);
  // The three edits, as the user types them (then computes).
  void SaisitFenetre(const QString& min, const QString& max, const QString& pas);
  void Calcule();

  // A bar clicked: the persons behind it become the report list.
  void ClicColonne(int colonne);
  // "Transformer en rapport".
  void VersRapport();
  // "Exporter les statistiques": a page with the graph, opened in the browser.
  void Exporte();
  // "Imprimer le graphique", and its PDF.
  void Imprime();
  void ExportePdf();
  // Writes the printed page as a PDF file; false when it cannot be written.
  bool EcritPdf(const QString& chemin);
  // Paints the title, the graph and the comment on a page rectangle.
  void PeintPage(QPainter& p, const QRect& page);

  int Statistique() const { return m_entree; }
  const TStatistique& Resultat() const { return m_resultat; }
  const TR& PopulationCourante() const { return m_population; }
  TwexaGraph* Graphe() const { return m_graphe; }

 signals:
  void Cache();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ConstruitPopulation();
  void MontreFenetre();
  void LitFenetre();
  void SauveReglages();

  TApplication& m_app;
  TfmRapport& m_rapport;
  int m_entree = 7;
  Population m_pop = kTous;
  TR m_population{1};
  TStatistique m_resultat;
  int m_colonne = -1;
  TFenetre m_ages = kFenetreAgesDefaut;
  TFenetre m_annees = kFenetreAnneesDefaut;
  int m_debut = 1000, m_fin = 2100;
  bool m_charge = false;
  QComboBox* cbVoir = nullptr;
  QComboBox* cbPour = nullptr;
  QWidget* pMinMax = nullptr;
  QWidget* pPas = nullptr;
  QLineEdit* eMin = nullptr;
  QLineEdit* eMax = nullptr;
  QLineEdit* ePas = nullptr;
  TwexaGraph* m_graphe = nullptr;
  QTextEdit* M = nullptr;
  QLabel* lVal = nullptr;
  QProgressBar* PB = nullptr;
  TfmStatDate* m_dialogueDates = nullptr;
};

}  // namespace kindrela
