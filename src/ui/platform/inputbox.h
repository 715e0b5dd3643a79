#pragma once

#include <QString>

#include <optional>

namespace tallyro {

// A one-line question with a default answer; nothing when cancelled.
class InputBox {
public:
    virtual ~InputBox() = default;
    virtual std::optional<QString> ask(const QString& prompt, const QString& title,
                                       const QString& defaultAnswer) = 0;
};

} // namespace tallyro
