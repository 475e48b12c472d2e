# Lines no user types: a 1 MB line, 10,000 words, NUL and bytes 128-255.
replay a racer=rokan2
stdin-python: "x" * 1000000 + "\npdb " + "w " * 9999 + "\nl a\0 ignored after the NUL\n\xff\xfe\npdb -t \xc3\xa9\nf \xe9t\xe9\nl caf\xe9.spr\nd -r \x80\xff\ny\nhelp \xe9\nq\n"
stdout:
|ZEB> \tpress h (or help) for help$
|ZEB> \tsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \ta loaded!$
|\tappended at pos 0$
|ZEB> \tpress h (or help) for help$
|ZEB> $
|\tvalid tracks: as, bl, fe, ky, so, we$
|$
|ZEB> ZEB> \tError opening file: caf\xe9.spr$
|ZEB> delete racer \x80\xff from everywhere (y/)? \tno data found to be deleted$
|$
|ZEB> \tvalid commands: $
|$
|ZEB> %
