#pragma once

#include <QString>

namespace core {

// What is wrong with `name` as the name of a shadeset file, in words that finish the sentence
// "The shadeset name ...", for example `cannot hold the character ":"`; empty when the name
// is fine. A good name is one file name in one folder on every system, and never the
// palette's: not empty, not "." or "..", no separator, control character or <>:"|?*, no
// trailing blank or full stop, no Windows device name, and not "colornames" in any case.
QString shadesetNameProblem(const QString &name);

} // namespace core
