// The source chooser TfmSourceRech ("Liste des sources"): the sources in
// use, of one kind or all, with the picture of the selected one. Created
// once; keeps its kind and selection between showings.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kindrela {

struct TApplication;
class TCacheVignettes;

class TfmSourceRech : public QDialog {
  Q_OBJECT
 public:
  TfmSourceRech(TApplication& app, TCacheVignettes& cache, QWidget* parent = nullptr);

  // Shows the chooser modally with `titre` as caption; the chosen source's
  // number, 0 on cancel or without selection.
  int Choisit(const QString& titre);
  // Refills the kinds and the list (Choisit does it first).
  void Remplit();
  int SourceSelectionnee() const;

 protected:
  bool eventFilter(QObject* objet, QEvent* e) override;

 private:
  void RemplitListe();
  void MontreImage();

  TApplication& m_app;
  TCacheVignettes& m_cache;
  QComboBox* m_sorte;
  QListWidget* m_liste;
  QLabel* m_image;
  QPushButton* m_ok;
  QString m_fichierImage;
  int m_derniere = 0;  // the source selected last time
};

}  // namespace kindrela
