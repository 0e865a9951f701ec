#include "cli/TicketCommands.h"

#include "betting/Bets.h"
#include "betting/TicketAmounts.h"
#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "betting/TicketStatistics.h"
#include "betting/Tickets.h"
#include "cli/DateArgument.h"
#include "cli/PdfOutput.h"
#include "cli/PrintedText.h"
#include "data/Dates.h"
#include "data/DocumentFile.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "output/TicketPrintouts.h"

#include <QFileInfo>

namespace
{

QString opt(const char *name)
{
    return QString::fromLatin1(name);
}

void require(const Arguments &a, const QString &action, std::initializer_list<const char *> options)
{
    for (const char *o : options)
        if (!a.has(opt(o)))
            throw UsageError{QStringLiteral("tickets %1 needs %2.").arg(action, opt(o))};
}

// The amount given for a ticket column, refused as the ticket dialog's field refuses it.
double amountOf(const Arguments &a, const char *option, const char *column, double fallback)
{
    return a.has(opt(option)) ? TicketAmounts::checked(opt(column), realArgument(a.value(opt(option))))
                              : fallback;
}

bool jsonWanted(const Arguments &a)
{
    const QString format = a.value(opt("--format"), opt("text"));
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        throw UsageError{QStringLiteral("The format must be text or json.")};
    return format == QLatin1String("json");
}

// Makes the ticket of the number given with --ticket the current one; refuses an unknown number.
void goToTicket(TicketBook &book, const Arguments &a)
{
    const QString text = a.value(opt("--ticket"));
    int number = 0;
    if (!Numbers::tryParseInt(text, &number) || !book.ADOTableTs.locate(QStringLiteral("TN"), {number}))
        throw QuorvaneError(QStringLiteral("The file has no ticket '%1'.").arg(text));
    book.followCurrentTicket();
}

// Whether the bet dialog's price field could have taken the text, key by key.
bool typeable(const QString &text, int notation)
{
    QString typed;
    for (const QChar key : text) {
        if (!Odds::FilterOddsKey(notation, typed, static_cast<int>(typed.size()), key,
                                 Odds::Filter::BetDialog))
            return false;
        typed += key;
    }
    return true;
}

// ---------------------------------------------------------------- new, add-ticket, add-bet

void runNew(const QString &path)
{
    if (QFileInfo::exists(path))
        throw QuorvaneError(QStringLiteral("The file '%1' exists already.").arg(path));
    buildFile(path, ExistingFile::Refuse, TicketSchema::createFile);
}

void runAddTicket(TicketBook &book, const Arguments &a)
{
    require(a, opt("add-ticket"), {"--date"});
    const QDate date = dateOf(a.value(opt("--date")));
    const double stake = amountOf(a, "--stake", "Stake", 1);
    const double fee = amountOf(a, "--fee", "Fee", 0);
    const double price = amountOf(a, "--price", "TPrice", 0);
    const QString status = a.value(opt("--status"), opt("Undecided"));

    Transaction tx(book.ADOConnection);
    const int number = NewTicket(book, date);
    Table &tickets = book.ADOTableTs;
    tickets.edit();
    tickets.field(QStringLiteral("Stake")).setFloat(stake);
    tickets.field(QStringLiteral("Fee")).setFloat(fee);
    tickets.field(QStringLiteral("TPrice")).setFloat(price);
    tickets.field(QStringLiteral("Status")).setString(status);
    tickets.post();
    tx.commit();
    writeStdout(QString::number(number) + QLatin1Char('\n'));
}

void runAddBet(TicketBook &book, const Arguments &a, Messenger &messenger)
{
    require(a, opt("add-bet"), {"--ticket", "--date", "--event", "--home", "--bet"});
    BetInput in;
    const QDate date = dateOf(a.value(opt("--date")));
    in.month = date.month();
    in.day = date.day();
    in.year = date.year();
    in.event = a.value(opt("--event"));
    in.home = a.value(opt("--home"));
    in.away = a.value(opt("--away"));
    in.bet = a.value(opt("--bet"));
    if (!betTypeItems().contains(in.bet))
        throw QuorvaneError(QStringLiteral("The bet must be one of %1, not '%2'.")
                                .arg(betTypeItems().join(QStringLiteral(", ")), in.bet));
    const QString price = a.value(opt("--price"));
    in.notation = Odds::DetectOddsType(price);
    in.result = a.value(opt("--result"), opt("Undecided"));
    if (!typeable(price, in.notation))
        throw QuorvaneError(Odds::invalidValueMessage(price, in.notation, Odds::Filter::BetDialog));
    // Stored as the bet dialog would have it typed: a decimal price with the locale's mark.
    in.price = in.notation == Odds::Decimal ? inLocaleNotation(price) : price;

    Transaction tx(book.ADOConnection);
    goToTicket(book, a);
    if (!StoreBet(book, in, messenger))
        throw Abort(); // the reason is on stderr already
    tx.commit();
}

// ---------------------------------------------------------------- calc, delete

void runCalc(TicketBook &book, const Arguments &a)
{
    require(a, opt("calc"), {"--ticket"});
    Transaction tx(book.ADOConnection);
    goToTicket(book, a);
    CalculatePayoutAndProfit(book.ADOTableTs);
    tx.commit();
    Table &t = book.ADOTableTs;
    writeStdout(QStringLiteral("Payout %1, Profit %2\n")
                    .arg(Numbers::formatGeneral(t.field(QStringLiteral("Payout")).asFloat()),
                         Numbers::formatGeneral(t.field(QStringLiteral("Profit")).asFloat())));
}

void runDelete(TicketBook &book, const Arguments &a)
{
    require(a, opt("delete"), {"--ticket"});
    Transaction tx(book.ADOConnection);
    goToTicket(book, a);
    book.ADOTableTs.deleteRecord(); // its bets go with it
    tx.commit();
}

// ---------------------------------------------------------------- list

QString storedDate(Dataset &ds)
{
    return Json::text(Dates::toStored(ds.field(QStringLiteral("DateP")).asDate()));
}

QString betsJson(Table &bets)
{
    QStringList items;
    for (bets.first(); !bets.eof(); bets.next()) {
        Json::Members m = {{QStringLiteral("DateP"), storedDate(bets)}};
        for (const char *column : {"League", "Home", "Away", "Bet", "Price", "Result"})
            m.append({opt(column), Json::text(bets.field(opt(column)).asString())});
        items << Json::object(m);
    }
    return Json::array(items);
}

QString ticketJson(TicketBook &book)
{
    Table &t = book.ADOTableTs;
    Json::Members m = {{QStringLiteral("TN"), Json::number(t.field(QStringLiteral("TN")).asInteger())},
                       {QStringLiteral("DateP"), storedDate(t)}};
    for (const char *column : {"Stake", "Fee", "TPrice", "Payout", "Profit"})
        m.append({opt(column), Json::number(t.field(opt(column)).asFloat())});
    m.append({QStringLiteral("Status"), Json::text(t.field(QStringLiteral("Status")).asString())});
    m.append({QStringLiteral("bets"), betsJson(book.ADOTableBets)});
    return Json::object(m);
}

QString ticketLine(TicketBook &book)
{
    Table &t = book.ADOTableTs;
    QString line = QStringLiteral("%1  %2  stake %3  fee %4  price %5  payout %6  profit %7  %8\n")
                       .arg(t.field(QStringLiteral("TN")).asInteger())
                       .arg(Dates::toStored(t.field(QStringLiteral("DateP")).asDate()))
                       .arg(Numbers::formatGeneral(t.field(QStringLiteral("Stake")).asFloat()),
                            Numbers::formatGeneral(t.field(QStringLiteral("Fee")).asFloat()),
                            Numbers::formatGeneral(t.field(QStringLiteral("TPrice")).asFloat()),
                            Numbers::formatGeneral(t.field(QStringLiteral("Payout")).asFloat()),
                            Numbers::formatGeneral(t.field(QStringLiteral("Profit")).asFloat()),
                            t.field(QStringLiteral("Status")).asString());
    Table &bets = book.ADOTableBets;
    for (bets.first(); !bets.eof(); bets.next()) {
        QStringList cells{Dates::toStored(bets.field(QStringLiteral("DateP")).asDate())};
        for (const char *column : {"League", "Home", "Away", "Bet", "Price", "Result"})
            cells << bets.field(opt(column)).asString();
        line += QStringLiteral("    ") + cells.join(QStringLiteral("  ")) + QLatin1Char('\n');
    }
    return line;
}

void runList(TicketBook &book, const Arguments &a)
{
    const bool json = jsonWanted(a);
    QStringList items;
    Table &tickets = book.ADOTableTs;
    for (tickets.first(); !tickets.eof(); tickets.next()) {
        book.followCurrentTicket();
        items << (json ? ticketJson(book) : ticketLine(book));
    }
    if (json)
        writeStdout(items.isEmpty() ? QStringLiteral("[]\n")
                                    : QStringLiteral("[\n  ") + items.join(QStringLiteral(",\n  ")) +
                                          QStringLiteral("\n]\n"));
    else
        writeStdout(items.join(QString()));
}

// ---------------------------------------------------------------- stats

std::optional<DateRange> rangeOf(const Arguments &a)
{
    if (a.has(opt("--from")) != a.has(opt("--to")))
        throw UsageError{
            QStringLiteral("tickets %1 needs both --from and --to, or neither.").arg(a.positional(1))};
    if (!a.has(opt("--from")))
        return std::nullopt;
    return DateRange{dateOf(a.value(opt("--from"))), dateOf(a.value(opt("--to")))};
}

QString barsJson(const QList<ChartBar> &bars)
{
    QStringList items;
    for (const ChartBar &b : bars)
        items << Json::array(
            {Json::text(b.date.toString(QStringLiteral("M/d/yyyy"))), Json::number(b.value)});
    return Json::array(items);
}

QString chartsJson(const StatsRows &rows, ChartSubject subject)
{
    Json::Members m;
    for (int v = 0; v < chartValueItems().size(); ++v)
        m.append({chartValueItems()[v], barsJson(BuildChart(rows, subject, static_cast<ChartValue>(v)))});
    return Json::object(m);
}

// Every grid of the table page under its name.
QList<std::pair<QString, StatsTable>> allTables(const StatsRows &rows)
{
    return {{QStringLiteral("tickets"), TicketsTable(rows)},
            {QStringLiteral("bets-all"), BetsTable(rows, BetsView::All)},
            {QStringLiteral("bets-single"), BetsTable(rows, BetsView::SingleChance)},
            {QStringLiteral("bets-double"), BetsTable(rows, BetsView::DoubleChance)},
            {QStringLiteral("price-range-EU"), PriceRangeTable(rows, PriceLabels::EU)},
            {QStringLiteral("price-range-UK"), PriceRangeTable(rows, PriceLabels::UK)},
            {QStringLiteral("price-range-US"), PriceRangeTable(rows, PriceLabels::US)}};
}

void runStats(TicketBook &book, const Arguments &a)
{
    const bool json = jsonWanted(a);
    const StatsRows rows = ReadStatsRows(book.ADOConnection, rangeOf(a));
    const auto tables = allTables(rows);
    const QString total = Numbers::formatGeneral(TotalProfit(rows));
    if (!json) {
        QString out = QStringLiteral("Total Profit %1\n").arg(total);
        for (const auto &[name, grid] : tables)
            out += QLatin1Char('\n') + name + QLatin1Char('\n') + alignedRows(grid);
        writeStdout(out);
        return;
    }
    QStringList tableMembers;
    for (const auto &[name, grid] : tables)
        tableMembers << QStringLiteral("    ") + Json::text(name) + QStringLiteral(": ") +
                            Json::textRows(grid, QStringLiteral("    "));
    writeStdout(QStringLiteral("{\n  \"total_profit\": ") + Json::text(total) +
                QStringLiteral(",\n  \"tables\": {\n") + tableMembers.join(QStringLiteral(",\n")) +
                QStringLiteral("\n  },\n  \"charts\": {\n    \"tickets\": ") +
                chartsJson(rows, ChartSubject::Tickets) + QStringLiteral(",\n    \"bets\": ") +
                chartsJson(rows, ChartSubject::Bets) + QStringLiteral("\n  }\n}\n"));
}

// ---------------------------------------------------------------- print

// The ticket manager's "Tickets" printout of the tickets in the date range, or its "Table" printout of a
// statistics grid, as a PDF file.
void runPrint(TicketBook &book, const Arguments &a)
{
    require(a, opt("print"), {"--pdf"});
    const std::optional<DateRange> range = rangeOf(a);
    if (!a.has(opt("--table"))) {
        if (range) {
            const TicketDateFilter filter{range->first.month(), range->first.day(), range->first.year(),
                                          range->last.month(),  range->last.day(),  range->last.year()};
            ApplyTicketDateFilter(book, &filter);
        }
        writePdf({ticketsPrintout(readPrintedTickets(book))}, a.value(opt("--pdf")));
        return;
    }
    const QString name = a.value(opt("--table"));
    QStringList names;
    for (const auto &[n, grid] : allTables(ReadStatsRows(book.ADOConnection, range))) {
        if (n == name) {
            writePdf({statisticsTablePrintout(grid, 20)}, a.value(opt("--pdf")));
            return;
        }
        names << n;
    }
    throw UsageError{QStringLiteral("The table must be one of %1.").arg(names.join(QStringLiteral(", ")))};
}

// ---------------------------------------------------------------- the command

void runTickets(const Arguments &a, Messenger &messenger)
{
    const QString path = a.positional(0);
    const QString action = a.positional(1);
    if (action == QLatin1String("new")) {
        runNew(path);
        return;
    }
    TicketBook book;
    book.openFile(path);
    if (action == QLatin1String("add-ticket"))
        runAddTicket(book, a);
    else if (action == QLatin1String("add-bet"))
        runAddBet(book, a, messenger);
    else if (action == QLatin1String("calc"))
        runCalc(book, a);
    else if (action == QLatin1String("delete"))
        runDelete(book, a);
    else if (action == QLatin1String("list"))
        runList(book, a);
    else if (action == QLatin1String("stats"))
        runStats(book, a);
    else if (action == QLatin1String("print"))
        runPrint(book, a);
    else
        throw UsageError{QStringLiteral("Unknown tickets action '%1'.").arg(action)};
}

} // namespace

QList<Command> ticketCommands()
{
    QList<OptionSpec> options;
    for (const char *o :
         {"--date", "--stake", "--fee", "--price", "--status", "--ticket", "--event", "--home", "--away",
          "--bet", "--result", "--format", "--from", "--to", "--pdf", "--table"})
        options.append({opt(o), 1});
    return {
        {QStringLiteral("tickets"),
         QStringLiteral(
             "tickets FILE new\n"
             "  tickets FILE add-ticket --date YYYY-MM-DD [--stake S] [--fee F] [--price P] [--status TEXT]\n"
             "  tickets FILE add-bet --ticket TN --date YYYY-MM-DD --event E --home C1 [--away C2]\n"
             "            --bet 1|X|2|1X|X2|12 [--price TEXT] [--result TEXT]\n"
             "  tickets FILE calc|delete --ticket TN\n"
             "  tickets FILE list [--format text|json]\n"
             "  tickets FILE stats [--from YYYY-MM-DD --to YYYY-MM-DD] [--format text|json]\n"
             "  tickets FILE print --pdf OUT.pdf [--table NAME] [--from YYYY-MM-DD --to YYYY-MM-DD]"),
         options, 2, 2, runTickets}};
}
