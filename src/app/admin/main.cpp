// The administrator's tool.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::fputs("qinghe-emr-admin: not yet built\n", stderr);
    return 1;
}
