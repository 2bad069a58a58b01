# Sourced by the signing tests in their work folder, with pack, stub, uninstaller and root set (and
# notes, the application to pack in place of the stand-in, where the package will run): a throwaway
# certificate and key, cert.pem and key.pem, and the example package in package/.
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Rodev test" 2>/dev/null
cp -r "$root/examples/demo" package && { [ -z "${notes:-}" ] || cp "$notes" package/files/; }
