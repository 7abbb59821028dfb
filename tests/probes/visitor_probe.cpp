// Test-support program for the visitor log.
//   visitor-probe register DB COUNT   registers COUNT visitors, printing each serial number on its
//                                     own line once its transaction has committed
//   visitor-probe list DB             prints each listed visitor as "S_No|Name", oldest first
// A log that cannot be opened, a visitor not stored or a listing that failed ends it with 1 and
// the log's reason on stderr.
#include <QCoreApplication>
#include <cstdio>

#include "visitors/VisitorLog.h"

namespace {

int failed(const VisitorLog& log)
{
    std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
    return 1;
}

int registerVisitors(VisitorLog& log, int count)
{
    for (int i = 1; i <= count; ++i) {
        VisitorRecord visitor;
        visitor.name = QStringLiteral("Visitor %1").arg(i);
        visitor.companyName = QStringLiteral("Company %1").arg(i % 17);
        visitor.purpose = QStringLiteral("Meeting");
        visitor.visitorNo = QStringLiteral("V%1").arg(i, 5, 10, QLatin1Char('0'));
        const std::optional<qint64> sNo = log.add(visitor);
        if (!sNo)
            return failed(log);
        std::printf("%lld\n", static_cast<long long>(*sNo));
        std::fflush(stdout);
    }
    return 0;
}

int listVisitors(const VisitorLog& log)
{
    const QList<VisitorRecord> visitors = log.all();
    if (!log.lastError().isEmpty())
        return failed(log);
    for (const VisitorRecord& visitor : visitors)
        std::printf("%lld|%s\n", static_cast<long long>(visitor.sNo), qPrintable(visitor.name));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool registering = arguments.size() == 4 && arguments[1] == QLatin1String("register");
    const bool listing = arguments.size() == 3 && arguments[1] == QLatin1String("list");
    if (!registering && !listing) {
        std::fprintf(stderr, "usage: visitor-probe register DB COUNT | list DB\n");
        return 2;
    }
    VisitorLog log;
    if (!log.open(arguments[2]))
        return failed(log);
    return registering ? registerVisitors(log, arguments[3].toInt()) : listVisitors(log);
}
