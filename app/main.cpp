#include "app/lader/PlattformLader.hpp"
#include "app/start/Programm.hpp"

int main(int argc, char** argv) {
    return parlix::Programm::laufe(argc, argv, &parlix::PlattformLader::lade);
}
