#include "map/system_reason.h"

#include <cerrno>
#include <cstring>

namespace marv {

std::string systemReason(int error) {
    switch (error) {
        case ENOENT:
            return "no existe el archivo o la carpeta";
        case EACCES:
        case EPERM:
            return "permiso denegado";
        case EROFS:
            return "el sistema de archivos es de solo lectura";
        case ENOSPC:
            return "no queda espacio en el disco";
        case EDQUOT:
            return "se ha superado la cuota de disco";
        case EFBIG:
            return "el archivo sería demasiado grande";
        case EISDIR:
            return "es una carpeta";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case ELOOP:
            return "demasiados enlaces simbólicos seguidos";
        case EMLINK:
            return "demasiados enlaces";
        default:
            return std::strerror(error);
    }
}

}  // namespace marv
