// The small dialogs of the record window: the event kind ("Liste des
// événements"), the new custom field ("Ajouter un champ") and the text
// editor of notes ("Edition de texte").
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace kindrela {

struct TApplication;

// "Liste des événements": the kinds of one category (message 707 for
// persons, 708 for unions) of the event-kind table, or any name typed.
class TfmFicheEve : public QDialog {
  Q_OBJECT
 public:
  TfmFicheEve(TApplication& app, const std::string& categorie, QWidget* parent = nullptr);
  // The name chosen or typed (Windows-1252), trimmed.
  std::string Nom() const;

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void Valide();
  TApplication& m_app;
  std::string m_categorie;
  QComboBox* m_eve = nullptr;
  QCheckBox* m_ajoute = nullptr;
  QPushButton* m_ok = nullptr;
};

// Asks for an event kind; empty when cancelled or nothing was typed. On
// OK with "Ajouter les nouveaux événements à la liste" a new name joins
// the event-kind table.
std::string ChoisitNatureEve(QWidget* parent, TApplication& app, const std::string& categorie);

// "Ajouter un champ": a label (the custom-field table's names and the
// usual ones, or any text) and a kind.
class TfmChampAjoute : public QDialog {
  Q_OBJECT
 public:
  TfmChampAjoute(TApplication& app, QWidget* parent = nullptr);
  std::string Libelle() const;
  std::string Sorte() const;  // "t", "m", "d" or "l"

 private:
  void Valide();
  TApplication& m_app;
  QComboBox* m_libelle = nullptr;
  QComboBox* m_sorte = nullptr;
  QCheckBox* m_liste = nullptr;
  QCheckBox* m_tous = nullptr;
  QPushButton* m_ok = nullptr;
};

// "Edition de texte": edits a copy of a text, saves it to a file or prints it.
class TfmNote : public QDialog {
  Q_OBJECT
 public:
  explicit TfmNote(const QString& texte, QWidget* parent = nullptr);
  QString Texte() const;
  // "&Sauver...": the text to a file chosen by the user ("Texte (*.TXT)").
  void Sauve();
  // Writes the text to `chemin` with CR LF line ends; false on failure.
  bool SauveVers(const QString& chemin) const;
  void Imprime();

 private:
  QPlainTextEdit* m_texte = nullptr;
};

// Edits `texte` in the text editor; true (and `texte` replaced) on OK.
bool EditeTexte(QWidget* parent, QString& texte);

}  // namespace kindrela
