#pragma once
// The rules of the series generator: numbered sequences with prefix, suffix and leading zeros,
// random numbers of a chosen digit count, one value repeated. No widgets; the values go to a sink
// one by one, so a long sequence is never held twice.
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>

using SeriesValueSink = std::function<void(const QString&)>;

namespace SeriesGenerator {

// The most values one sequence makes; larger ranges are refused with kTooManyValuesMessage.
constexpr qint64 kMaxSequentialCount = 1'000'000;
// Constant and random counts are kept to 1..kMaxCount while typed; random lengths to 1..9 digits.
constexpr int kMaxCount = 10000;
constexpr int kMaxCountCharacters = 5;
constexpr int kMaxRandomLength = 9;
// From and To keep at most this many characters.
constexpr int kMaxBoundCharacters = 10;

inline const QString kFromEmptyMessage = QStringLiteral("Please enter valid number for 'From' value.");
inline const QString kToEmptyMessage = QStringLiteral("Please enter valid number for 'To' value.");
inline const QString kFromNotSmallerMessage =
    QStringLiteral("Please enter valid number.\n'From' value must be smaller than 'To' value.");
inline const QString kValueEmptyMessage = QStringLiteral("Please enter valid Value.");
inline const QString kCountEmptyMessage = QStringLiteral("Please enter valid number for 'Count' value.");
inline const QString kLengthEmptyMessage = QStringLiteral("Please enter valid number for 'Length' value.");
inline const QString kTooManyValuesMessage =
    QStringLiteral("Please enter a smaller range.\nA series can hold at most 1000000 values.");

// The integer at the start of a text: blanks skipped, an optional sign, then digits up to the first
// other character; no digits give 0, and values beyond 64 bits stop at the nearest bound.
qint64 leadingInteger(const QString& text);

// Leading "0" characters until the text is at least length characters long; a sign stays in front
// of them ("-5" at 3 gives "-05").
QString PadZero(const QString& text, int length);

struct SequentialRule {
    QString prefix;
    QString suffix;
    QString fromText;
    QString toText;
    bool keepDigits = false;  // widen every number with leading zeros to the wider of From and To
};
// Why the rule cannot be generated, or "" when it can. Emptiness is judged on the text as typed.
QString sequentialProblem(const SequentialRule& rule);
// The number of values of a rule that has no problem.
qint64 sequentialCount(const SequentialRule& rule);
// prefix + number + suffix for every number from From to To.
void generateSequential(const SequentialRule& rule, const SeriesValueSink& sink);

struct ConstantRule {
    QString value;
    QString countText;
};
QString constantProblem(const ConstantRule& rule);
// The value as typed, count times.
void generateConstant(const ConstantRule& rule, const SeriesValueSink& sink);

// A source of uniformly distributed 32-bit numbers.
using RandomSource = std::function<std::uint32_t()>;
// The system's strong source (arc4random).
RandomSource systemRandomSource();
// A number in 0..range-1, every one equally likely: draws from the top of the 32-bit range that
// would favour the low numbers are drawn again. range 0 gives 0.
std::uint32_t uniformBelow(std::uint32_t range, const RandomSource& source);

struct RandomRange {
    std::uint32_t min = 0;
    std::uint32_t max = 0;
};
// "1" 1..9, "2" 10..99 ... "9" 100000000..999999999; any other text 0..0.
RandomRange randomRangeForLength(const QString& lengthText);

struct RandomRule {
    QString prefix;
    QString suffix;
    QString lengthText;
    QString countText;
};
QString randomProblem(const RandomRule& rule);
// prefix + number + suffix, count times, each number drawn anew from the length's range.
void generateRandom(const RandomRule& rule, const SeriesValueSink& sink,
                    const RandomSource& source = systemRandomSource());

// The limits the number fields keep while typed: counts 1..10000 (cut to 5 characters first),
// lengths 1..9 (cut to the first character), From and To without letters, blanks, control
// characters and symbols at their ends and at most 10 characters.
QString limitCountText(const QString& text);
QString limitLengthText(const QString& text);
QString limitBoundText(const QString& text);

// Whether a partial text may stand in a whole-number field: empty, or one integer with blanks
// around it and at most one leading sign. A lone sign is refused.
bool isPartialIntegerText(const QString& text);

}  // namespace SeriesGenerator
