# Options come before the files: after `--`, and after the first file, a
# word that looks like an option is a file to load; --watch and --title are
# taken and change nothing in what the session writes.
replay a.spr racer=alpha time=1,20,0,0
replay --help racer=help time=1,19,0,0
replay --watch racer=watch time=1,21,0,0
args: --watch --title T -- --help a.spr --watch
stdin:
<q
stdout:
|\t--help loaded!$
|\tappended at pos 0$
|\ta.spr loaded!$
|\tappended at pos 1$
|\t--watch loaded!$
|\tappended at pos 2$
|ZEB> %
