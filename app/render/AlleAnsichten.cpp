#include "app/render/AlleAnsichten.hpp"

#include "app/render/FensterAnsichten.hpp"
#include "app/render/StandardAnsichten.hpp"

namespace parlix::AlleAnsichten {

void registriere(AnsichtenRegister& ansichten) {
    StandardAnsichten::registriere(ansichten);
    FensterAnsichten::registriere(ansichten);
}

} // namespace parlix::AlleAnsichten
