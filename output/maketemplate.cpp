// Writes the default spreadsheet template to the path given: run by the build so that the
// program finds it beside itself.
#include <cstdio>

#include <QCoreApplication>

#include "output/spreadsheettemplate.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: quillmont_template <path of the template>\n");
        return 2;
    }
    if (const QString error = writeDefaultTemplate(arguments[1]); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
