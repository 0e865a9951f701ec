#include "data/Sports.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/TFormAETeam.h"
#include "data/ui/TFormCopyPastePlayers.h"
#include "data/ui/TFormCopyPasteTeams.h"
#include "data/ui/TFormLeague.h"
#include "data/ui/TFormPlayerStats.h"
#include "support/DateTyping.h"
#include "support/LeagueFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

template <typename T> T *child(const QObject &parent, const char *name)
{
    T *w = parent.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("%s has no control %s", qPrintable(parent.objectName()), name);
    return w;
}

QStringList listTexts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void select(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    list->setCurrentItem(found.first());
}

// Picks an entry of a chooser as a user does from its list.
void pick(QComboBox *box, const QString &text)
{
    const int i = box->findText(text);
    QVERIFY(i >= 0);
    box->setCurrentIndex(i);
    Q_EMIT box->activated(i);
}

QStringList column(Database &db, const QString &sql)
{
    QStringList out;
    Statement st = db.prepare(sql);
    while (st.step())
        out << st.value(0).toString();
    return out;
}

// The next modal dialog that opens gets handled by `act`, from inside its own event loop.
void whenModal(std::function<void(QDialog *)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(d);
    });
}

// A picture as Qt's own BMP writer writes it.
QByteArray bmpOf(QImage::Format format, bool withColourTable = true)
{
    QImage image(5, 3, format);
    if (format == QImage::Format_Indexed8 && withColourTable)
        image.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void cleanupTestCase() { setMessenger(nullptr); }

    void leagueShowsClampedRowAndOkStoresIt();
    void leagueSportPickedAndTyped();
    void leagueRefusesUnknownSport();
    void leagueTeamsPage();
    void leaguePlayersPage();
    void teamDialogRenamesAndLoadsLogo();
    void bmpFromQtWriterLoads_data();
    void bmpFromQtWriterLoads();
    void otherPicturesAreStoredAsBmp_data();
    void otherPicturesAreStoredAsBmp();
    void pictureRefusals_data();
    void pictureRefusals();
    void playerDialog();
    void playerBirthDateFollowsTheLocale_data();
    void playerBirthDateFollowsTheLocale();
    void copyPasteTeams();
    void copyPastePlayers();

private:
    RecordingMessenger m_messages;
};

void TestDialogs::leagueShowsClampedRowAndOkStoresIt()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {B, A});
    f.setLeague(QStringLiteral("SS"), 2150);
    f.setLeague(QStringLiteral("LM"), 1);
    f.setLeague(QStringLiteral("DR"), true);
    f.setLeague(QStringLiteral("HA"), false);
    TFormLeague dlg(f.dm());
    dlg.loadForm();
    QCOMPARE(child<QSpinBox>(dlg, "SpinEditSS")->value(), 2100);
    QCOMPARE(child<QSpinBox>(dlg, "SpinEditLM")->value(), 2);
    QCOMPARE(child<QComboBox>(dlg, "ComboBoxSport")->currentText(), QStringLiteral("Football (Soccer)"));
    QCOMPARE(child<QLineEdit>(dlg, "EditLeague")->text(), QStringLiteral("Test League.qvl"));
    QVERIFY(child<QCheckBox>(dlg, "CheckBoxDP")->isChecked());
    QVERIFY(child<QRadioButton>(dlg, "RadioButtonOV")->isChecked());

    child<QComboBox>(dlg, "ComboBoxSport")->setEditText(QStringLiteral("ice hockey"));
    child<QLineEdit>(dlg, "EditLeague")->setText(QStringLiteral("Premier"));
    child<QSpinBox>(dlg, "SpinEditSE")->setValue(2151); // clamped by the field
    child<QSpinBox>(dlg, "SpinEditCF")->setValue(61);
    child<QCheckBox>(dlg, "CheckBoxHP")->setChecked(false);
    child<QRadioButton>(dlg, "RadioButtonHA")->setChecked(true);
    QSignalSpy stored(&dlg, &TFormLeague::leagueSettingsStored);
    child<QPushButton>(dlg, "ButtonOK")->click();

    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(stored.count(), 1);
    QCOMPARE(stored.at(0).at(0).toString(), QStringLiteral("Premier"));
    QCOMPARE(stored.at(0).at(1).toString(), QStringLiteral("2100 - 2100"));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    Database &db = f.dm().ADOConnection;
    QCOMPARE(
        column(db, QStringLiteral("SELECT Sport || '|' || League || '|' || CAST(SS AS INTEGER) || '|' || "
                                  "CAST(CF AS INTEGER) || '|' || CAST(LM AS INTEGER) || '|' || HW || HA "
                                  "FROM League")),
        QStringList{QStringLiteral("ice hockey|Premier|2100|61|2|01")});
    // OK renumbers the teams in the current order of the table.
    QCOMPARE(column(db, QStringLiteral("SELECT Team FROM Teams ORDER BY Pos")), (QStringList{B, A}));
}

void TestDialogs::leagueSportPickedAndTyped()
{
    LeagueFixture f;
    f.setLeague(QStringLiteral("CF"), 70);
    f.setLeague(QStringLiteral("LM"), 8);
    TFormLeague dlg(f.dm());
    dlg.show(); // loads the pages
    auto *sport = child<QComboBox>(dlg, "ComboBoxSport");
    QCOMPARE(items(sport), sportNames());
    pick(sport, QStringLiteral("Ice Hockey"));
    QList<int> shown;
    for (const char *name :
         {"SpinEditPW", "SpinEditPD", "SpinEditPL", "SpinEditPWO", "SpinEditPDO", "SpinEditPLO", "SpinEditHP",
          "SpinEditDP", "SpinEditAP", "SpinEditCF", "SpinEditLM"})
        shown << child<QSpinBox>(dlg, name)->value();
    QCOMPARE(shown, (QList<int>{2, 1, 0, 2, 1, 1, 50, 30, 50, 70, 8}));

    // Text typed and confirmed with Enter: no sport is told, a sport changes nothing.
    sport->setEditText(QStringLiteral("Curling"));
    QTest::keyClick(sport, Qt::Key_Return);
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No sport selected or invalid sport")});
    m_messages.clear();
    sport->setEditText(QStringLiteral("basketball"));
    QTest::keyClick(sport, Qt::Key_Return);
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(child<QSpinBox>(dlg, "SpinEditHP")->value(), 50);
    QVERIFY(dlg.isVisible()); // Enter in a chooser does not close the dialog
}

void TestDialogs::leagueRefusesUnknownSport()
{
    LeagueFixture f;
    TFormLeague dlg(f.dm());
    dlg.show();
    child<QComboBox>(dlg, "ComboBoxSport")->setEditText(QStringLiteral("Curling"));
    child<QLineEdit>(dlg, "EditLeague")->setText(QStringLiteral("Premier"));
    QSignalSpy stored(&dlg, &TFormLeague::leagueSettingsStored);
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No sport selected or invalid sport")});
    QVERIFY(!dlg.isVisible()); // OK closes even after its warning
    QCOMPARE(stored.count(), 0);
    QCOMPARE(f.dm().ADOConnection.scalar(QStringLiteral("SELECT League FROM League")).toString(),
             QStringLiteral("Test League.qvl"));
}

void TestDialogs::leagueTeamsPage()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A, B});
    QVERIFY(f.addMatch(A, B, 1, 0));
    TFormLeague dlg(f.dm());
    TFormAETeam teamDialog(f.dm());
    dlg.setTeamDialog(&teamDialog);
    dlg.loadForm();
    auto *teams = child<QListWidget>(dlg, "ListViewTeams");
    QCOMPARE(listTexts(teams), (QStringList{A, B, C}));

    child<QPushButton>(dlg, "ButtonEditTeam")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No team selected")});
    m_messages.clear();

    // Edit the selected team (letter case of the list and the table may differ) in the team dialog.
    select(teams, B);
    QString caption, shownName;
    whenModal([&](QDialog *d) {
        caption = d->windowTitle();
        shownName = child<QLineEdit>(*d, "EditTeam")->text();
        child<QLineEdit>(*d, "EditTeam")->setText(QStringLiteral("Blues"));
        d->accept();
    });
    child<QPushButton>(dlg, "ButtonEditTeam")->click();
    QCOMPARE(caption, QStringLiteral("Edit Team"));
    QCOMPARE(shownName, B);
    QCOMPARE(listTexts(teams), (QStringList{A, QStringLiteral("Blues"), C}));
    QCOMPARE(column(f.dm().ADOConnection, QStringLiteral("SELECT Away FROM Results")),
             QStringList{QStringLiteral("Blues")});

    // Add through the team dialog.
    whenModal([&](QDialog *d) {
        caption = d->windowTitle();
        child<QLineEdit>(*d, "EditTeam")->setText(QStringLiteral("Fulham"));
        d->accept();
    });
    child<QPushButton>(dlg, "ButtonAddTeam")->click();
    QCOMPARE(caption, QStringLiteral("Add Team"));
    QCOMPARE(listTexts(teams), (QStringList{A, QStringLiteral("Blues"), C, QStringLiteral("Fulham")}));

    // Delete asks first; No keeps the team, Yes deletes it and its matches stay.
    select(teams, A);
    m_messages.queueAnswer(Messenger::Answer::No);
    child<QPushButton>(dlg, "ButtonDeleteTeam")->click();
    QCOMPARE(f.teamNames().size(), 4);
    m_messages.queueAnswer(Messenger::Answer::Yes);
    select(teams, A);
    child<QPushButton>(dlg, "ButtonDeleteTeam")->click();
    QCOMPARE(m_messages.texts(), (QStringList(2, QStringLiteral("Really delete this team?"))));
    QCOMPARE(m_messages.messages().last().kind, Messenger::Kind::Question);
    QCOMPARE(listTexts(teams), (QStringList{QStringLiteral("Blues"), C, QStringLiteral("Fulham")}));
    QVERIFY(!f.teamNames().contains(A));
    QCOMPARE(f.dm()
                 .ADOConnection.scalar(QStringLiteral("SELECT COUNT(*) FROM Results WHERE Home = 'Arsenal'"))
                 .toInt(),
             1);
}

void TestDialogs::leaguePlayersPage()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Table &players = f.dm().ADOTablePlayers;
    players.appendRecord(
        {9, QStringLiteral("Silva"), B, QStringLiteral("-"), 1500, 5, 5, QStringLiteral("IN")});
    players.appendRecord(
        {7, QStringLiteral("Silva"), A, QStringLiteral("-"), 1500, 5, 5, QStringLiteral("IN")});
    players.appendRecord(
        {8, QStringLiteral("Pires"), A, QStringLiteral("-"), 1500, 5, 5, QStringLiteral("IN")});
    players.setFilter(QStringLiteral("Team = 'Chelsea'")); // as the players view left it
    players.setFiltered(true);

    TFormLeague dlg(f.dm());
    TFormPlayerStats playerDialog(f.dm());
    dlg.setPlayerDialog(&playerDialog);
    dlg.setCurrentPage(TFormLeague::Page::Players);
    dlg.show();
    auto *team = child<QComboBox>(dlg, "ComboBoxTeam");
    auto *list = child<QListWidget>(dlg, "ListViewPlayers");
    QCOMPARE(items(team), (QStringList{A, B}));

    team->setEditText(QStringLiteral("Arsenal FC"));
    child<QPushButton>(dlg, "ButtonAddPlayer")->click();
    QTest::keyClick(team, Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QCOMPARE(m_messages.texts(), (QStringList{QStringLiteral("No team selected or invalid team"),
                                              QStringLiteral("No team selected or Invalid team")}));
    m_messages.clear();

    pick(team, A);
    QCOMPARE(listTexts(list), (QStringList{QStringLiteral("Pires"), QStringLiteral("Silva")}));
    child<QPushButton>(dlg, "ButtonEditPlayer")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No player selected")});

    // Edit acts on the first Silva in table order, the Chelsea one, whatever the filter.
    select(list, QStringLiteral("Silva"));
    QString caption;
    int number = -1;
    whenModal([&](QDialog *d) {
        caption = d->windowTitle();
        number = child<QSpinBox>(*d, "SpinEditNumber")->value();
        d->reject();
    });
    child<QPushButton>(dlg, "ButtonEditPlayer")->click();
    QCOMPARE(caption, QStringLiteral("Edit Player"));
    QCOMPARE(number, 9);
    QVERIFY(players.filtered());
    QCOMPARE(players.recordCount(), 1);

    m_messages.clear();
    m_messages.queueAnswer(Messenger::Answer::Yes);
    select(list, QStringLiteral("Silva"));
    child<QPushButton>(dlg, "ButtonDeletePlayer")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Really delete this player?")});
    QCOMPARE(listTexts(list), QStringList{QStringLiteral("Pires")});
    QCOMPARE(column(f.dm().ADOConnection, QStringLiteral("SELECT Team FROM Players WHERE Player = 'Silva'")),
             QStringList{A});
}

void TestDialogs::teamDialogRenamesAndLoadsLogo()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(B, A, 0, 0));
    QTemporaryDir dir;
    const QByteArray logo = bmpOf(QImage::Format_RGB32);
    QString chosen = writeFile(dir, "logo.bmp", logo);
    QString askedTitle, askedFilter;
    TFormAETeam dlg(f.dm());
    dlg.setPathChooser([&](const QString &title, bool save, const QString &filter) {
        askedTitle = title;
        askedFilter = filter;
        return save ? QString() : chosen;
    });

    QVERIFY(locateTeam(f.dm().ADOTableTeams, A));
    dlg.setWindowTitle(QStringLiteral("Edit Team"));
    dlg.loadForm();
    QCOMPARE(dlg.teamName(), A);
    child<QPushButton>(dlg, "ButtonLoad")->click();
    QCOMPARE(askedTitle, QStringLiteral("Open"));
    QVERIFY2(askedFilter.startsWith(QLatin1String("Pictures (*.bmp *.png *.jpg *.jpeg)")),
             qPrintable(askedFilter));
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(dlg.picture(), logo);
    QVERIFY(!child<PictureBox>(dlg, "ImageTeamLogo")->pixmap().isNull());

    child<QLineEdit>(dlg, "EditTeam")->setText(QStringLiteral("ARSENAL")); // letter case only
    child<QPushButton>(dlg, "ButtonOK")->click();
    Database &db = f.dm().ADOConnection;
    QCOMPARE(column(db, QStringLiteral("SELECT Away FROM Results")), QStringList{QStringLiteral("ARSENAL")});
    QCOMPARE(db.scalar(QStringLiteral("SELECT TPic FROM Teams WHERE Team = 'ARSENAL'")).toByteArray(), logo);

    // Adding with an empty name warns; "&Clear" empties the picture.
    dlg.setWindowTitle(QStringLiteral("Add Team"));
    dlg.loadForm();
    QVERIFY(dlg.teamName().isEmpty());
    QVERIFY(dlg.picture().isEmpty());
    child<QPushButton>(dlg, "ButtonLoad")->click();
    child<QPushButton>(dlg, "ButtonClear")->click();
    QVERIFY(dlg.picture().isEmpty());
    QVERIFY(child<PictureBox>(dlg, "ImageTeamLogo")->pixmap().isNull());
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No team entered")});
    QCOMPARE(f.teamNames().size(), 2);
}

void TestDialogs::bmpFromQtWriterLoads_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("1-bit") << int(QImage::Format_Mono);
    QTest::newRow("8-bit indexed") << int(QImage::Format_Indexed8);
    QTest::newRow("24-bit") << int(QImage::Format_RGB888);
    QTest::newRow("32-bit") << int(QImage::Format_RGB32);
    QTest::newRow("32-bit with alpha") << int(QImage::Format_ARGB32);
}

void TestDialogs::bmpFromQtWriterLoads()
{
    QFETCH(int, format);
    const QByteArray bytes = bmpOf(QImage::Format(format));
    QVERIFY(isBmpImage(bytes));
    QVERIFY(!isBmpImage(bytes.chopped(1)));
    QTemporaryDir dir;
    PictureBox box(QStringLiteral("Picture"), QSize(40, 40));
    QVERIFY(box.loadFile(writeFile(dir, "p.bmp", bytes)));
    QCOMPARE(box.picture(), bytes);
    QVERIFY(m_messages.messages().isEmpty());
}

// PNG and JPEG pictures, whatever their names, are stored as BMP; large ones made smaller first.
void TestDialogs::otherPicturesAreStoredAsBmp_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("storedSize");
    QTest::newRow("PNG") << QByteArray("PNG") << QStringLiteral("p.png") << QSize(40, 30) << QSize(40, 30);
    QTest::newRow("PNG named .bmp") << QByteArray("PNG") << QStringLiteral("p.bmp") << QSize(40, 30)
                                    << QSize(40, 30);
    QTest::newRow("large JPEG") << QByteArray("JPEG") << QStringLiteral("p.jpg") << QSize(1200, 600)
                                << QSize(300, 150);
}

void TestDialogs::otherPicturesAreStoredAsBmp()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QSize, storedSize);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(image.save(path, format.constData()));
    PictureBox box(QStringLiteral("Picture"), QSize(40, 40));
    QVERIFY(box.loadFile(path));
    QVERIFY(isBmpImage(box.picture()));
    const QImage stored = QImage::fromData(box.picture(), "BMP");
    QCOMPARE(stored.size(), storedSize);
    QVERIFY(qAbs(qGreen(stored.pixel(5, 5)) - qGreen(QColor(Qt::darkGreen).rgb())) < 8);
    QVERIFY(m_messages.messages().isEmpty());
}

void TestDialogs::pictureRefusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("truncated BMP") << bmpOf(QImage::Format_RGB32).chopped(7);
    QTest::newRow("text") << QByteArray("hello");
    // Qt writes an indexed picture without colours as a BMP without its colour table.
    QTest::newRow("colour table missing") << bmpOf(QImage::Format_Indexed8, false);
}

void TestDialogs::pictureRefusals()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QByteArray good = bmpOf(QImage::Format_RGB888);
    const QString goodPath = writeFile(dir, "good.bmp", good);
    const QString badPath = writeFile(dir, "bad.bmp", bytes);
    LeagueFixture f;
    TFormPlayerStats dlg(f.dm());
    QString chosen = goodPath;
    dlg.setPathChooser([&](const QString &, bool, const QString &) { return chosen; });
    dlg.loadForm();
    child<QPushButton>(dlg, "ButtonLoadImage")->click();
    chosen = badPath;
    child<QPushButton>(dlg, "ButtonLoadImage")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid image")});
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Error);
    QCOMPARE(dlg.values().picture, good); // the previous picture stays
}

void TestDialogs::playerDialog()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A, B});
    TFormPlayerStats dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Player"));
    dlg.show();
    QCOMPARE(items(child<QComboBox>(dlg, "ComboBoxTeam")), (QStringList{A, B, C}));
    auto *preset = child<QComboBox>(dlg, "ComboBoxRating");
    QCOMPARE(preset->currentIndex(), -1);
    QCOMPARE(preset->placeholderText(), QStringLiteral("Change rating"));
    const PlayerValues start = dlg.values();
    QCOMPARE(QDate(start.year, start.month, start.day), QDate(1950, 1, 1));
    QCOMPARE(start.position, QStringLiteral("-"));
    QCOMPARE(start.weight, QStringLiteral("-"));
    QCOMPARE(start.rating, 1500);

    // OK with no name warns and the dialog stays open.
    dlg.accept();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No player entered")});
    QVERIFY(dlg.isVisible());

    child<QLineEdit>(dlg, "EditPlayer")->setText(QStringLiteral("Martin"));
    child<QComboBox>(dlg, "ComboBoxTeam")->setEditText(QStringLiteral("arsenal"));
    child<QLineEdit>(dlg, "EditPosition")->setText(QStringLiteral("Keeper"));
    child<QLineEdit>(dlg, "EditPosition")->clear();
    QCOMPARE(child<QLineEdit>(dlg, "EditPosition")->text(), QStringLiteral("-"));
    pick(preset, QStringLiteral("Good"));
    QCOMPARE(child<QSpinBox>(dlg, "SpinEditRating")->value(), 1900);
    pick(child<QComboBox>(dlg, "ComboBoxInOut"), QStringLiteral("OUT"));
    child<QSpinBox>(dlg, "SpinEditYear")->setValue(2100);
    QCOMPARE(child<QSpinBox>(dlg, "SpinEditYear")->maximum(), 2100);
    child<QSpinBox>(dlg, "SpinEditMonth")->setValue(2);
    child<QSpinBox>(dlg, "SpinEditDay")->setValue(30);

    // A day that does not exist is told, nothing is stored, the dialog stays open.
    m_messages.clear();
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid argument to date encode")});
    QVERIFY(dlg.isVisible());
    QVERIFY(f.dm().ADOTablePlayers.isEmpty());

    child<QSpinBox>(dlg, "SpinEditDay")->setValue(28);
    child<QPushButton>(dlg, "ButtonOK")->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(column(f.dm().ADOConnection,
                    QStringLiteral("SELECT Player || '|' || Team || '|' || Pos || '|' || DOB "
                                   "|| '|' || CAST(PR AS INTEGER) || '|' || IN_OUT FROM Players")),
             QStringList{QStringLiteral("Martin|arsenal|-|2100-02-28|1900|OUT")});

    // Opened again for adding: fresh values, the IN/OUT chooser keeps its text.
    dlg.show();
    QVERIFY(dlg.values().name.isEmpty());
    QCOMPARE(dlg.values().inOut, QStringLiteral("OUT"));
    QCOMPARE(preset->currentIndex(), -1);
    dlg.hide();

    // Opened for editing: the current player.
    Table &players = f.dm().ADOTablePlayers;
    players.first();
    dlg.setWindowTitle(QStringLiteral("Edit Player"));
    dlg.loadForm();
    QCOMPARE(dlg.values().name, QStringLiteral("Martin"));
    QCOMPARE(dlg.values().team, QStringLiteral("arsenal"));
    QCOMPARE(dlg.values().day, 28);
}

void TestDialogs::playerBirthDateFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("order"); // the fields' names from left to right
    QTest::addColumn<QStringList>("typed"); // 24 August 1990, field after field
    const QString m = QStringLiteral("SpinEditMonth"), d = QStringLiteral("SpinEditDay"),
                  y = QStringLiteral("SpinEditYear");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringList{m, d, y}
                           << QStringList{QStringLiteral("8"), QStringLiteral("24"), QStringLiteral("1990")};
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringList{d, m, y}
                           << QStringList{QStringLiteral("24"), QStringLiteral("8"), QStringLiteral("1990")};
}

void TestDialogs::playerBirthDateFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, order);
    QFETCH(QStringList, typed);
    QLocale::setDefault(locale);
    const auto english =
        qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A});
    TFormPlayerStats dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Player"));
    dlg.show();
    const QList<QSpinBox *> fields = DateTyping::onScreen(&dlg, order[0], order[1], order[2]);
    QCOMPARE(DateTyping::names(fields), order);
    QCOMPARE(DateTyping::labelOf(&dlg, fields[0]), QStringLiteral("D.O.B:"));
    QCOMPARE(DateTyping::typeWithTab(&dlg, fields[0], typed),
             (QList<QWidget *>{fields[0], fields[1], fields[2]}));
    child<QLineEdit>(dlg, "EditPlayer")->setText(QStringLiteral("Martin"));
    child<QComboBox>(dlg, "ComboBoxTeam")->setEditText(A);
    dlg.accept();
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(column(f.dm().ADOConnection, QStringLiteral("SELECT DOB FROM Players")),
             QStringList{QStringLiteral("1990-08-24")});
}

void TestDialogs::copyPasteTeams()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A});
    TFormCopyPasteTeams dlg(f.dm());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Copy / Paste Teams"));
    QVERIFY(
        child<QPlainTextEdit>(dlg, "MemoInstructions")
            ->toPlainText()
            .startsWith(QStringLiteral("1. Copy and paste the teams into the \nTeams list on the left.")));
    auto *memo = child<QPlainTextEdit>(dlg, "MemoTeams");
    memo->setPlainText(QStringLiteral("old text"));
    dlg.loadForm();
    QVERIFY(memo->toPlainText().isEmpty());
    memo->setPlainText(QStringLiteral("Leeds\n\nX\narsenal\nFulham"));
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(f.teamNames(), (QStringList{A, QStringLiteral("Leeds"), QStringLiteral("Fulham")}));
}

void TestDialogs::copyPastePlayers()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {B, A});
    TFormCopyPastePlayers dlg(f.dm());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Copy / Paste Players"));
    dlg.loadForm();
    auto *team = child<QComboBox>(dlg, "ComboBoxTeam");
    QCOMPARE(items(team), (QStringList{A, B}));
    QVERIFY(team->currentText().isEmpty());
    child<QPlainTextEdit>(dlg, "MemoPlayers")->setPlainText(QStringLiteral("Zola\nDrogba"));
    dlg.show();
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No team selected or invalid team")});
    QVERIFY(!dlg.isVisible()); // closes after its warning too
    QVERIFY(f.dm().ADOTablePlayers.isEmpty());

    dlg.loadForm();
    child<QPlainTextEdit>(dlg, "MemoPlayers")->setPlainText(QStringLiteral("Zola\nDrogba"));
    pick(team, B);
    child<QPushButton>(dlg, "ButtonOK")->click();
    QCOMPARE(column(f.dm().ADOConnection, QStringLiteral("SELECT Player || '|' || Team FROM Players")),
             (QStringList{QStringLiteral("Zola|Chelsea"), QStringLiteral("Drogba|Chelsea")}));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
