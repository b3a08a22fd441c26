// The web page of the save dialog: every option of the web site export,
// bound to TOptionsWeb (and through it to the settings).
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "analysis/web_page.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace kindrela {

class TRadioGroup;

class TPageSauveWeb : public QWidget {
  Q_OBJECT
 public:
  explicit TPageSauveWeb(QWidget* parent = nullptr);

  // Shows `options`; `fichiers` are the extra pages made this session.
  void Charge(const TOptionsWeb& options, const std::vector<std::string>& fichiers);
  // The options as the controls hold them; the main page name, the date
  // format and the life span come from `base`.
  TOptionsWeb Options(const TOptionsWeb& base) const;

 private:
  void Suit();

  QLineEdit* m_titre = nullptr;
  QPlainTextEdit* m_texteLibre = nullptr;
  QCheckBox* m_liste = nullptr;
  TRadioGroup* m_modeListe = nullptr;
  QSpinBox* m_parListe = nullptr;
  QCheckBox* m_listeAccueil = nullptr;
  QCheckBox* m_fiches = nullptr;
  QSpinBox* m_parPage = nullptr;
  QCheckBox* m_ficheAccueil = nullptr;
  QCheckBox* m_patro = nullptr;
  QCheckBox* m_lieux = nullptr;
  QCheckBox* m_dyna = nullptr;
  QCheckBox* m_fichiersLies = nullptr;
  QListWidget* m_fichiers = nullptr;
  QPushButton* m_ajoute = nullptr;
  QPushButton* m_retire = nullptr;
  QCheckBox* m_navigateur = nullptr;
  // Cards.
  QCheckBox* m_liens = nullptr;
  QCheckBox* m_prenoms = nullptr;
  TRadioGroup* m_forme = nullptr;
  struct Section {
    QCheckBox* boite;
    bool TOptionsWeb::*champ;
  };
  std::vector<Section> m_sections;
  QLineEdit* m_auteur = nullptr;
  QLineEdit* m_auteurLien = nullptr;
  QSpinBox* m_taille = nullptr;
  QSpinBox* m_qualite = nullptr;
};

}  // namespace kindrela
