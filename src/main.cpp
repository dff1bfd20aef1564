#include "window/application.h"

int main(int argc, char* argv[]) {
    return zandrel::runApplication(argc, argv);
}
