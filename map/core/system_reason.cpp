#include "map/core/system_reason.h"

#include <cerrno>

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
        case EOVERFLOW:
            return "el archivo sería demasiado grande";
        case EISDIR:
            return "es una carpeta";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case ELOOP:
            return "demasiados enlaces simbólicos seguidos";
        case EMLINK:
            return "demasiados enlaces";
        case EBUSY:
            return "el archivo está ocupado, por ejemplo montado en su sitio";
        case ENOLCK:
            return "no se puede bloquear el archivo";
        case EEXIST:
            return "ya existe un archivo con ese nombre";
        case ENAMETOOLONG:
            return "el nombre o la ruta es demasiado largo";
        case EXDEV:
            return "el archivo está en otro sistema de archivos";
        case EIO:
            return "error de lectura o escritura en el disco";
        case ETXTBSY:
            return "el archivo está en uso por un programa";
        case EAGAIN:
            return "el archivo no está disponible ahora; pruebe otra vez";
        case EINTR:
            return "la operación se interrumpió";
        case EMFILE:
        case ENFILE:
            return "hay demasiados archivos abiertos";
        case ENOMEM:
            return "no queda memoria";
        case ENXIO:
        case ENODEV:
            return "el dispositivo no existe";
        case EOPNOTSUPP:
        case ENOSYS:
            return "el sistema de archivos no admite la operación";
        case EINVAL:
            return "el sistema no admite la operación con este archivo";
        case ESTALE:
            return "el archivo ya no está disponible en el servidor";
        default:
            return "error del sistema número " + std::to_string(error);
    }
}

}  // namespace marv
