#pragma once
// The result code of operations that talk to the host. 0 is success; 3 is invalid input. The other codes
// are this host's own.

namespace Acad {
enum ErrorStatus : int {
    eOk = 0,
    eInvalidInput = 3,
    eKeyNotFound = 4,   // no entry of that name
    eDuplicateKey = 5,  // an entry of that name exists already
};
}  // namespace Acad
