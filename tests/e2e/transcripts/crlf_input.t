# One carriage return before the newline belongs to the line end.
replay a.spr racer=rokan2
stdin:
<l a.spr\r
<h d\r
<\r
<help
stdout:
|ZEB> \ta.spr loaded!$
|\tappended at pos 0$
|ZEB> $
|\tsyntax:\t\tdel (or d) [flag] [params]$
|$
|\ttask:\t\tdelete various types of data from the database$
|$
|\tflags & params:\t-r racer$
|\t\t\t-t track$
|\t\t\t-c car$
|\t\t\t-s short_rack$
|\t\t\t-cs car short_track$
|\t\t\t-rt racer track$
|\t\t\t-rc racer car$
|\t\t\t-rs racer short_track$
|\t\t\t-rcs racer car short_track$
|$
|\texamples:\td\t\t\t: del the whole database$
|\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes$
|\t\t\td -t as\t\t\t: del track's aston laptimes$
|\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt laptimes$
|$
|ZEB> %
