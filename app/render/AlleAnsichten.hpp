#pragma once

namespace parlix {

class AnsichtenRegister;

// Every view the render harness knows. A group of windows adds its views by one line in
// registriere() that calls the group's own registration.
namespace AlleAnsichten {

void registriere(AnsichtenRegister& ansichten);

} // namespace AlleAnsichten

} // namespace parlix
