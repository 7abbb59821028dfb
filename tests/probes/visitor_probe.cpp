// Test-support program for the visitor log.
//   visitor-probe register DB COUNT   registers COUNT visitors, printing each serial number on its
//                                     own line once its transaction has committed
#include <QCoreApplication>
#include <cstdio>

#include "visitors/VisitorLog.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4 || arguments[1] != QLatin1String("register")) {
        std::fprintf(stderr, "usage: visitor-probe register DB COUNT\n");
        return 2;
    }
    VisitorLog log;
    if (!log.open(arguments[2])) {
        std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
        return 1;
    }
    const int count = arguments[3].toInt();
    for (int i = 1; i <= count; ++i) {
        VisitorRecord visitor;
        visitor.name = QStringLiteral("Visitor %1").arg(i);
        visitor.companyName = QStringLiteral("Company %1").arg(i % 17);
        visitor.purpose = QStringLiteral("Meeting");
        visitor.visitorNo = QStringLiteral("V%1").arg(i, 5, 10, QLatin1Char('0'));
        const std::optional<qint64> sNo = log.add(visitor);
        if (!sNo) {
            std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(*sNo));
        std::fflush(stdout);
    }
    return 0;
}
