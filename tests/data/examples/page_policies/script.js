<SCRIPT>
var greeting = "hello";
</SCRIPT>
