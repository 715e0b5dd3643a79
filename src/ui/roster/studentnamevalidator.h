#pragma once

#include <QValidator>

namespace tallyro {

// Keeps double quotes out of a student name box, typed or pasted alike: the
// grade file writes each name between double quotes and could not read one
// back that holds another.
class StudentNameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace tallyro
