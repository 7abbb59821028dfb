#pragma once
// Errors of the element code.
#include <QString>

inline const QString SKTErrorDomain = QStringLiteral("ZOVACardErrorDomain");

class SKTError {
public:
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};

// Code 2: unreadable clipboard data; code 3: empty drawing area.
SKTError SKTErrorWithCode(int code);
