#include "ui/roster/studentnamevalidator.h"

namespace tallyro {

QValidator::State StudentNameValidator::validate(QString& input, int& pos) const {
    // Dropping the quotes keeps the cursor after what the teacher typed.
    int before = 0;
    for (int i = 0; i < pos && i < input.size(); ++i) {
        if (input[i] == u'"')
            ++before;
    }
    if (input.contains(u'"')) {
        input.remove(u'"');
        pos -= before;
    }
    return Acceptable;
}

} // namespace tallyro
