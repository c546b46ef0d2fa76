// Programs outside the suite that some tests use to check what the suite wrote.
#pragma once

#include <QString>

// A python interpreter that has `module`; empty when there is none.
QString PythonWith(const char* module);
