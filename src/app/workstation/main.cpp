// The workstation (replaced by the login window once the shell exists).
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::fputs("qinghe-emr: not yet built\n", stderr);
    return 1;
}
