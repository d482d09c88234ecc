// SPDX-License-Identifier: Apache-2.0
// Save and Load on the window: the patient file they write and read, the boxes they show, and
// that a file which cannot be saved or loaded changes no field and loses nothing.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <QTableView>

#include "app_test_support.h"
#include "patient_list_dialog.h"
#include "patient_records.h"

using namespace asworn;
using namespace asworn::app;
using namespace asworn::app::test;

namespace {

const QString kLoadQuestion = QStringLiteral(
    "Enter first and last name of the person you would like to load and press OK, or press "
    "cancel to go back");

// A patient whose every field differs from the start-up texts: blanks at the ends, an empty
// field and letters outside Latin-1 must come back as they were.
JobSheet StoredPatient() {
  JobSheet sheet;
  int i = 0;
  for (const FieldInfo& info : kJobSheetFields) sheet[info.field] = "t" + std::to_string(i++);
  sheet[Field::firstname] = "Łukasz";
  sheet[Field::lastname] = "Ødegård";
  sheet[Field::record] = " R 17 ";
  sheet[Field::odcyl] = "";
  sheet[Field::wrap] = "12";
  return sheet;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Dates the file's last save `minutes` after the epoch, for a list order that does not hang
// on the file system's clock.
void SavedAt(const QString& path, int minutes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(qint64{minutes} * 60),
                           QFileDevice::FileModificationTime));
}

// How the patient list is left.
enum class ListAction { enter, doubleClick, escape };

// While it lives, works the patient list when it comes up: types `keys` into its search
// field, notes the rows it then shows (last name, or file name), and leaves it by `action`
// (and by Escape when that did not close it).
class PatientListDriver {
 public:
  PatientListDriver(QString keys, ListAction action) : keys_(std::move(keys)), action_(action) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  bool shown() const { return shown_; }
  const QStringList& rows() const { return rows_; }

 private:
  void Poll() {
    auto* list = dynamic_cast<PatientListDialog*>(QApplication::activeModalWidget());
    if (!list || !list->isVisible()) return;
    if (shown_) {  // the action did not close it
      QTest::keyClick(list->searchField(), Qt::Key_Escape);
      return;
    }
    shown_ = true;
    if (!QTest::qWaitForWindowExposed(list)) return;  // then Escape on the next round
    QTest::keyClicks(list->searchField(), keys_);
    const QAbstractItemModel* model = list->table()->model();
    for (int row = 0; row < model->rowCount(); ++row)
      rows_ << model->index(row, 0).data().toString();
    switch (action_) {
      case ListAction::enter:
        QTest::keyClick(list->searchField(), Qt::Key_Return);
        break;
      case ListAction::doubleClick: {
        QTableView* table = list->table();
        const QRect cell = table->visualRect(model->index(0, 0));
        // A double click is a click followed by the second press that Qt reports as one.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        break;
      }
      case ListAction::escape:
        QTest::keyClick(list->searchField(), Qt::Key_Escape);
        break;
    }
  }

  QString keys_;
  ListAction action_;
  bool shown_ = false;
  QStringList rows_;
  QTimer timer_;
};

}  // namespace

class PatientFileTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QTemporaryDir> dir_;

  QString Folder() const { return dir_->path(); }
  QString FileOf(const QString& last, const QString& first) const {
    return dir_->filePath(last + '-' + first + QStringLiteral(".txt"));
  }
  QStringList Entries() const {
    return QDir(Folder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  }
  QStringList Fields(const MainWindow& window) const {
    QStringList texts;
    for (const FieldInfo& info : kJobSheetFields) texts << window.field(info.field)->text();
    return texts;
  }
  QStringList Ticket(const MainWindow& window) const {
    QStringList texts;
    for (const LabelInfo& info : kWorkTicketLabels) texts << window.ticketLabel(info.label)->text();
    return texts;
  }
  void SetNames(MainWindow& window, const QString& first, const QString& last) {
    window.WriteField(Field::firstname, first);
    window.WriteField(Field::lastname, last);
  }
  std::vector<SeenMessageBox> Click(QToolButton* button, std::vector<Answer> answers) {
    MessageBoxWatcher watcher(std::move(answers));
    QTest::mouseClick(button, Qt::LeftButton);
    return watcher.seen();
  }
  std::vector<SeenMessageBox> ClickSave() { return Click(window_->saveButton(), {Answer::ok}); }
  std::vector<SeenMessageBox> ClickLoad(Answer answer = Answer::ok) {
    return Click(window_->loadButton(), {answer, Answer::ok});
  }
  static void VerifyWarning(const SeenMessageBox& box, const QString& mustName) {
    QCOMPARE(box.title, QStringLiteral("As-Worn Rx"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(box.modal);
    QVERIFY2(box.text.contains(mustName), qPrintable(box.text));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    window_ = ShownWindow();
    QVERIFY(window_);
    // Never the user's own patient folder.
    QVERIFY(window_->patientFolder() != Folder());
    window_->SetPatientFolder(Folder());
  }
  void cleanup() {
    window_.reset();
    dir_.reset();
  }

  void saveOfTheStartUpSheetWritesItsLineAndConfirms() {
    window_->tabControl()->setCurrentIndex(lensTab);
    const QStringList fields = Fields(*window_);
    const QStringList ticket = Ticket(*window_);

    const auto seen = ClickSave();
    QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].text, QStringLiteral("Patient Information Saved"));
    QCOMPARE(seen[0].title, QStringLiteral("Saved"));
    QCOMPARE(seen[0].icon, QMessageBox::Information);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(seen[0].modal);

    const QByteArray line =
        "First Name,Last Name,Rec #,0.00,0.00,180,0.00,0.00,180,8.00,1.586,70,8.00,1.586,70,"
        "13.0,13.0,13.0,13.0,15,15,\r\n";
    QCOMPARE(line.size(), 111);
    QCOMPARE(Entries(), QStringList{"Last Name-First Name.txt"});
    QCOMPARE(ReadBytes(FileOf("Last Name", "First Name")), line);
    QCOMPARE(Fields(*window_), fields);
    QCOMPARE(Ticket(*window_), ticket);
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(lensTab));
  }

  void saveThatCannotBeDoneWarnsAndKeepsTheOldFile_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("folderIsAFile");
    QTest::addColumn<QString>("named");  // what the warning must name
    QTest::newRow("comma in a sphere") << "odsph"
                                       << "-1,25" << false << "Last Name-First Name.txt";
    QTest::newRow("comma in the wrap") << "wrap"
                                       << "15," << false << "Last Name-First Name.txt";
    QTest::newRow("slash in the last name") << "lastname"
                                            << "Smith/Jones" << false << "Smith/Jones";
    QTest::newRow("empty first name") << "firstname"
                                      << "" << false << "the first name is empty";
    QTest::newRow("line break in the record number") << "record"
                                                     << "12\n34" << false << "Record #";
    QTest::newRow("folder cannot be made") << "record"
                                           << "R2" << true << "Last Name-First Name.txt";
  }
  void saveThatCannotBeDoneWarnsAndKeepsTheOldFile() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, folderIsAFile);
    QFETCH(QString, named);
    QCOMPARE(ClickSave().size(), std::size_t{1});
    const QString oldFile = FileOf("Last Name", "First Name");
    const QByteArray oldLine = ReadBytes(oldFile);
    QVERIFY(!oldLine.isEmpty());
    if (folderIsAFile) window_->SetPatientFolder(oldFile);

    window_->WriteField(*FindField(field.toStdString()), text);
    const QStringList fields = Fields(*window_);
    const auto seen = ClickSave();
    QCOMPARE(seen.size(), std::size_t{1});
    VerifyWarning(seen[0], named);
    QCOMPARE(Entries(), QStringList{"Last Name-First Name.txt"});
    QCOMPARE(ReadBytes(oldFile), oldLine);
    QCOMPARE(Fields(*window_), fields);

    // Still usable: the texts put right, the next save goes through.
    window_->SetPatientFolder(Folder());
    window_->WriteField(*FindField(field.toStdString()), QStringLiteral("2"));
    QCOMPARE(ClickSave()[0].title, QStringLiteral("Saved"));
  }

  void loadAnsweredOtherThanOkOnlyReminds_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Cancel") << static_cast<int>(Answer::cancel);
    QTest::newRow("Esc") << static_cast<int>(Answer::escapeKey);
    QTest::newRow("box closed") << static_cast<int>(Answer::closeBox);
  }
  void loadAnsweredOtherThanOkOnlyReminds() {
    QFETCH(int, answer);
    QVERIFY(asworn::SavePatient(StoredPatient(), Folder()).ok());
    // The names of a stored patient are filled in: still nothing is read.
    SetNames(*window_, "Łukasz", "Ødegård");
    const QStringList fields = Fields(*window_);

    const auto seen = ClickLoad(static_cast<Answer>(answer));
    QCOMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[0].text, QStringLiteral("Load Łukasz Ødegård?"));
    QCOMPARE(seen[0].title, QStringLiteral("Load Patient"));
    for (Field f : {Field::firstname, Field::lastname}) {
      const QLineEdit* name = window_->field(f);
      const QRect onScreen(name->mapToGlobal(QPoint(0, 0)), name->size());
      QVERIFY2(!seen[0].frame.intersects(onScreen), "the Load box covers a name field");
    }
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(seen[0].defaultButton, QMessageBox::Ok);
    QVERIFY(seen[0].modal);
    QCOMPARE(seen[1].text, QStringLiteral("Please enter first and last name"));
    QCOMPARE(seen[1].title, QStringLiteral("As-Worn Rx"));
    QCOMPARE(seen[1].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(seen[1].modal);
    QCOMPARE(Fields(*window_), fields);
  }

  void loadFillsEveryFieldAndLeavesTheTicket() {
    const JobSheet stored = StoredPatient();
    QVERIFY(asworn::SavePatient(stored, Folder()).ok());
    QTest::mouseClick(window_->computeButton(), Qt::LeftButton);
    const QStringList ticket = Ticket(*window_);
    window_->tabControl()->setCurrentIndex(patientTab);
    SetNames(*window_, "Łukasz", "Ødegård");

    const auto seen = ClickLoad();
    QCOMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[0].title, QStringLiteral("Load Patient"));
    QCOMPARE(seen[1].text, QStringLiteral("Patient information has been loaded"));
    QCOMPARE(seen[1].title, QStringLiteral("Patient Loaded"));
    QCOMPARE(seen[1].icon, QMessageBox::Information);
    QCOMPARE(seen[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(seen[1].modal);
    QCOMPARE(window_->ReadJobSheet(), stored);
    QCOMPARE(Ticket(*window_), ticket);
    QCOMPARE(window_->tabControl()->currentIndex(), static_cast<int>(patientTab));
  }

  // Typing is never lost to a Load unasked: entries changed since the last Save or Load (the
  // names typed to choose whom to load aside) ask "Save", "Discard" or "Cancel" first. Save
  // keeps them under the names they were begun with, never over the file about to be loaded.
  void loadAsksBeforeReplacingTyping_data() {
    QTest::addColumn<bool>("edited");     // a sphere typed besides the names
    QTest::addColumn<int>("answer");      // to the question; -1: none expected
    QTest::addColumn<bool>("loaded");     // the stored patient's entries stand afterwards
    QTest::addColumn<bool>("keptTyped");  // a file of the start-up names holds the typing
    QTest::newRow("names only") << false << -1 << true << false;
    QTest::newRow("Save") << true << int(Answer::save) << true << true;
    QTest::newRow("Enter saves") << true << int(Answer::enterKey) << true << true;
    QTest::newRow("Discard") << true << int(Answer::discard) << true << false;
    QTest::newRow("Cancel") << true << int(Answer::cancel) << false << false;
    QTest::newRow("Esc") << true << int(Answer::escapeKey) << false << false;
  }
  void loadAsksBeforeReplacingTyping() {
    QFETCH(bool, edited);
    QFETCH(int, answer);
    QFETCH(bool, loaded);
    QFETCH(bool, keptTyped);
    const JobSheet stored = StoredPatient();
    QVERIFY(asworn::SavePatient(stored, Folder()).ok());
    const QByteArray storedLine = ReadBytes(FileOf("Ødegård", "Łukasz"));
    SetNames(*window_, "Łukasz", "Ødegård");
    if (edited) window_->WriteField(Field::odsph, "-7.25");
    const QStringList typed = Fields(*window_);

    std::vector<Answer> answers;
    if (answer >= 0) answers.push_back(static_cast<Answer>(answer));
    if (keptTyped) answers.push_back(Answer::ok);                     // "Saved"
    for (int box = 0; box < 2; ++box) answers.push_back(Answer::ok);  // "Load ...?", "Loaded"
    const auto seen = Click(window_->loadButton(), answers);
    if (answer >= 0) {
      QVERIFY2(seen[0].text.contains(QStringLiteral("Save them for First Name Last Name")),
               qPrintable(seen[0].text));
      QCOMPARE(seen[0].defaultButton, QMessageBox::Save);
    } else {
      QCOMPARE(seen[0].title, QStringLiteral("Load Patient"));
    }
    QCOMPARE(window_->ReadJobSheet() == stored, loaded);
    if (!loaded) QCOMPARE(Fields(*window_), typed);
    if (!loaded) QCOMPARE(seen.size(), std::size_t{1});
    QCOMPARE(ReadBytes(FileOf("Ødegård", "Łukasz")), storedLine);
    const QByteArray kept = ReadBytes(FileOf("Last Name", "First Name"));
    QCOMPARE(kept.startsWith("First Name,Last Name,Rec #,-7.25,"), keptTyped);
    QCOMPARE(window_->EntriesChanged(), !loaded);
  }

  void loadThatFailsChangesNoField_data() {
    QTest::addColumn<QByteArray>("content");  // of Smith-Ann.txt; null: no such file
    QTest::addColumn<QString>("lastname");
    QTest::addColumn<QString>("named");  // what the warning must name
    const QString file = QStringLiteral("Smith-Ann.txt");
    QByteArray twenty;
    for (int i = 0; i < 20; ++i) twenty += (i ? "," : "") + QByteArray::number(i);
    QTest::newRow("no such file: the list, left with Escape")
        << QByteArray() << "Smith" << QString();
    QTest::newRow("20 items") << twenty + "\r\n"
                              << "Smith" << file;
    QTest::newRow("empty file") << QByteArray("") << "Smith" << file;
    QTest::newRow("slash in the last name") << QByteArray() << "../Smith"
                                            << "../Smith";
  }
  void loadThatFailsChangesNoField() {
    QFETCH(QByteArray, content);
    QFETCH(QString, lastname);
    QFETCH(QString, named);
    if (!content.isNull()) {
      QFile file(FileOf("Smith", "Ann"));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    QTest::mouseClick(window_->computeButton(), Qt::LeftButton);
    window_->tabControl()->setCurrentIndex(patientTab);
    SetNames(*window_, "Ann", lastname);
    window_->WriteField(Field::odsph, "-3.00");
    const QStringList fields = Fields(*window_);
    const QStringList ticket = Ticket(*window_);

    PatientListDriver list({}, ListAction::escape);
    // The typed sphere is let go when Load asks; the failed Load still changes nothing.
    const auto seen = Click(window_->loadButton(), {Answer::discard, Answer::ok, Answer::ok});
    QCOMPARE(list.shown(), named.isEmpty());
    QCOMPARE(seen.size(), std::size_t{named.isEmpty() ? 2u : 3u});
    QCOMPARE(seen[1].title, QStringLiteral("Load Patient"));
    if (!named.isEmpty()) VerifyWarning(seen[2], named);
    if (named.endsWith(".txt")) QVERIFY(seen[2].text.contains(QDir::toNativeSeparators(Folder())));
    QCOMPARE(Fields(*window_), fields);
    QCOMPARE(Ticket(*window_), ticket);
  }

  // Names as people type them: another letter case or blanks around them still load the one
  // patient; anything else opens the list, searched case- and accent-blind, newest first.
  void loadFindsThePatientByAnySpelling_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("keys");  // typed into the list's search field
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("rows");    // the list's rows after the keys; "-": no list
    QTest::addColumn<QString>("loaded");  // the record number loaded; empty: nothing loaded
    const int enter = static_cast<int>(ListAction::enter);
    const int doubleClick = static_cast<int>(ListAction::doubleClick);
    const int escape = static_cast<int>(ListAction::escape);
    QTest::newRow("another case") << "maria"
                                  << "LINDQVIST" << QString() << enter << "-"
                                  << "R1";
    QTest::newRow("blanks around") << " Maria"
                                   << "Lindqvist  " << QString() << enter << "-"
                                   << "R1";
    QTest::newRow("part of a name") << ""
                                    << "lind" << QString() << enter << "Lindgren|Lindqvist"
                                    << "R2";
    QTest::newRow("no names, then typed") << ""
                                          << ""
                                          << "muller" << doubleClick << "Müller"
                                          << "R3";
    QTest::newRow("case-only twins both listed")
        << "Per"
        << "lindgren" << QString() << enter << "Lindgren|Lindgren"
        << "R2";
    QTest::newRow("unreadable listed, not loaded")
        << ""
        << "broken" << QString() << enter << "Broken-File.txt" << QString();
    QTest::newRow("Escape") << "Maria"
                            << "Lindberg" << QString() << escape << "" << QString();
  }
  void loadFindsThePatientByAnySpelling() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, keys);
    QFETCH(int, action);
    QFETCH(QString, rows);
    QFETCH(QString, loaded);
    const struct {
      const char* last;
      const char* first;
      const char* record;
    } patients[] = {
        {"Lindqvist", "Maria", "R1"}, {"Müller", "Jörg", "R3"}, {"Lindgren", "Per", "R2"}};
    for (const auto& p : patients) {
      JobSheet sheet;
      sheet[Field::lastname] = p.last;
      sheet[Field::firstname] = p.first;
      sheet[Field::record] = p.record;
      const SaveResult saved = asworn::SavePatient(sheet, Folder());
      QVERIFY(saved.ok());
      SavedAt(saved.path, 10 + static_cast<int>(&p - patients));  // each after the one before
    }
    if (QTest::currentDataTag() == QByteArrayLiteral("case-only twins both listed")) {
      QFile::copy(FileOf("Lindgren", "Per"), FileOf("LINDGREN", "PER"));
      SavedAt(FileOf("LINDGREN", "PER"), 0);
    }
    QFile broken(FileOf("Broken", "File"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("a,b\r\n") == 5);
    broken.close();
    SavedAt(FileOf("Broken", "File"), 0);
    SetNames(*window_, first, last);
    window_->WriteField(Field::record, "typed");

    PatientListDriver list(keys, static_cast<ListAction>(action));
    // The typed record number is let go when Load asks.
    const auto seen = Click(window_->loadButton(), {Answer::discard, Answer::ok, Answer::ok});
    QCOMPARE(list.shown(), rows != "-");
    if (list.shown()) QCOMPARE(list.rows().join('|'), rows);
    QCOMPARE(window_->FieldText(Field::record),
             loaded.isEmpty() ? QStringLiteral("typed") : loaded);
    QCOMPARE(seen.back().title,
             loaded.isEmpty() ? QStringLiteral("Load Patient") : QStringLiteral("Patient Loaded"));
  }

  void savedPatientLoadsAndComputesToTheSameTicket() {
    const std::pair<Field, QString> patient[] = {
        {Field::firstname, "Zed"}, {Field::lastname, "Ochs"}, {Field::record, "A12345"},
        {Field::odsph, "-2.25"},   {Field::odcyl, "-0.75"},   {Field::odaxis, "35"},
        {Field::ossph, "+1.50"},   {Field::osn, "1.67"},      {Field::odfvd, "11"},
        {Field::tilt, "8"},        {Field::wrap, "12"}};
    for (const auto& [field, text] : patient) window_->WriteField(field, text);
    QVERIFY(window_->Compute());
    const QStringList computed = Ticket(*window_);
    QCOMPARE(ClickSave().size(), std::size_t{1});

    // Another patient in between, then the first one's names typed again.
    for (const FieldInfo& info : kJobSheetFields) window_->WriteField(info.field, "1.5");
    for (Field f : {Field::oddiam, Field::osdiam}) window_->WriteField(f, "60");
    for (Field f : {Field::odrvd, Field::odfvd, Field::osrvd, Field::osfvd})
      window_->WriteField(f, "12");  // inside their ranges
    QVERIFY(window_->Compute());
    QVERIFY(Ticket(*window_) != computed);
    SetNames(*window_, "Zed", "Ochs");
    const auto seen = Click(window_->loadButton(), {Answer::discard, Answer::ok, Answer::ok});
    QCOMPARE(seen.back().title, QStringLiteral("Patient Loaded"));
    QVERIFY(window_->Compute());
    QCOMPARE(Ticket(*window_), computed);

    // And in a window started afresh.
    window_.reset();
    window_ = ShownWindow();
    QVERIFY(window_);
    window_->SetPatientFolder(Folder());
    SetNames(*window_, "Zed", "Ochs");
    QCOMPARE(ClickLoad().back().title, QStringLiteral("Patient Loaded"));
    QVERIFY(window_->Compute());
    QCOMPARE(Ticket(*window_), computed);
  }
};

QTEST_MAIN(PatientFileTest)
#include "patient_file_test.moc"
